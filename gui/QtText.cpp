// SPDX-License-Identifier: MIT
#include "gui/QtText.h"

#include "engine/Ansi.h"
#include "engine/StringTable.h"

#include <QFile>

namespace kolvane {

QString FromAnsi(std::string_view ansi) {
    const std::string utf8 = AnsiToUtf8(ansi);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string ToAnsi(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return Utf8ToAnsi(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

std::string ToPath(const QString& path) {
    const QByteArray bytes = QFile::encodeName(path);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromPath(std::string_view path) {
    return QFile::decodeName(QByteArray(path.data(), static_cast<qsizetype>(path.size())));
}

QString DescribeStatus(const Status& status, const Language& language) {
    const QString rest = FromAnsi(Status(status).withPath({}).describe(language));
    return status.path().empty() ? rest : FromPath(status.path()) + QStringLiteral(": ") + rest;
}

} // namespace kolvane
