// SPDX-License-Identifier: MIT
// The registry layer the programs use: Control_Registro and WinReg.
#include "storage/Control_Registro.h"
#include "storage/MemoryRegistry.h"
#include "storage/Settings.h"
#include "storage/WinReg.h"

#include <gtest/gtest.h>

namespace kolvane {
namespace {

constexpr RootKey kUser = RootKey::CurrentUser;

class RegistrySettings : public ::testing::Test {
protected:
    MemoryRegistry store;
    WinReg settings{store};
};

TEST_F(RegistrySettings, FirstStartGivesTheDefaultsAndCreatesNothing) {
    EXPECT_EQ(settings.Leer_Setting("Language", "EN", 2), "EN");
    EXPECT_EQ(settings.Leer_Setting("ShowDialog", "1", 1), "1");
    EXPECT_EQ(settings.Leer_Setting("MainLeft", "1000", 4), "1000");
    EXPECT_EQ(settings.Leer_Setting("MainTop", "1000", 4), "1000");
    EXPECT_EQ(settings.Leer_Setting("MainWidth", "6500", 4), "6500");
    EXPECT_EQ(settings.Leer_Setting("MainHeight", "6500", 4), "6500");
    EXPECT_EQ(settings.Leer_Setting("Automatizaciones", "", 0), "");
    EXPECT_EQ(settings.Leer_Ruta_HX(), "");
    EXPECT_FALSE(store.keyExists(kUser, "software"));
}

TEST_F(RegistrySettings, MissingValueGivesTheDefaultCutOrPaddedToLength) {
    EXPECT_EQ(settings.Leer_Setting("Language", "EN", 5), "EN   ");
    EXPECT_EQ(settings.Leer_Setting("Language", "ENGLISH", 2), "EN");
    EXPECT_EQ(settings.Leer_Setting("Language", "EN", -1), "");
    // The buffer holds 2000 characters, so no longer default can come back.
    EXPECT_EQ(settings.Leer_Setting("Language", "EN", 2500), "EN" + std::string(1998, ' '));
}

TEST_F(RegistrySettings, StoredValueComesBackWhole) {
    settings.Escribir_Setting("MainLeft", "500");
    settings.Escribir_Setting("MainWidth", "12000");
    const std::string longList = "," + std::string(4000, 'd') + ".dst";
    settings.Escribir_Setting("Automatizaciones", longList);
    settings.Escribir_Setting("Quoted", "\"as written\"");
    EXPECT_EQ(settings.Leer_Setting("MainLeft", "1000", 4), "500");
    EXPECT_EQ(settings.Leer_Setting("MainWidth", "6500", 4), "12000");
    EXPECT_EQ(settings.Leer_Setting("Automatizaciones", "", 0), longList);
    EXPECT_EQ(settings.Leer_Setting("Quoted", "", 0), "\"as written\"");
}

TEST_F(RegistrySettings, WritingCreatesTheKeyAndStoresEmptyAsOneBlank) {
    settings.Escribir_Setting("Automatizaciones", "");
    EXPECT_TRUE(store.keyExists(kUser, "software\\Tremholt"));
    EXPECT_EQ(store.readValue(kUser, WinReg::kSettingsKey, "Automatizaciones"), " ");
    EXPECT_EQ(settings.Leer_Setting("Automatizaciones", "", 0), " ");
    settings.Escribir_Setting("Language", "DE");
    EXPECT_EQ(settings.Leer_Setting("language", "EN", 2), "DE");
}

TEST_F(RegistrySettings, InstallFolderComesFromTheInstallerKey) {
    ASSERT_TRUE(store.createKey(kUser, WinReg::kInstallKey));
    EXPECT_EQ(settings.Leer_Ruta_HX(), "");
    ASSERT_TRUE(store.writeValue(kUser, WinReg::kInstallKey, "Path", "/opt/herd"));
    EXPECT_EQ(settings.Leer_Ruta_HX(), "/opt/herd");
    ASSERT_TRUE(store.writeValue(RootKey::Users, WinReg::kInstallKey, "Path", "/elsewhere"));
    EXPECT_EQ(settings.Leer_Ruta_HX(), "/opt/herd");
}

TEST(RegistryRootKeys, OnlyTheExactNamesSelectTheirRoot) {
    EXPECT_EQ(Control_Registro::MapRootKey("HKEY_CLASSES_ROOT"), RootKey::ClassesRoot);
    EXPECT_EQ(Control_Registro::MapRootKey("HKEY_CURRENT_USER"), RootKey::CurrentUser);
    EXPECT_EQ(Control_Registro::MapRootKey("HKEY_LOCAL_MACHINE"), RootKey::LocalMachine);
    for (const char* other : {"HKEY_USERS", "hkey_current_user", "HKEY_Current_User",
                              "HKEY_CURRENT_USER ", "HKCU", ""}) {
        SCOPED_TRACE(other);
        EXPECT_EQ(Control_Registro::MapRootKey(other), RootKey::Users);
    }
}

TEST(RegistryRootKeys, OtherRootNamesWriteAndReadUnderUsers) {
    MemoryRegistry store;
    Control_Registro registry(store);
    registry.Guardar_Setting("hkey_current_user", "software\\x", "Name", "users");
    EXPECT_EQ(store.readValue(RootKey::Users, "software\\x", "Name"), "users");
    EXPECT_EQ(store.readValue(kUser, "software\\x", "Name"), std::nullopt);
    EXPECT_EQ(registry.Recuperar_Setting("HKEY_USERS", "software\\x", "Name", "", 0), "users");
    EXPECT_EQ(registry.Recuperar_Setting("HKEY_CURRENT_USER", "software\\x", "Name", "none", 4),
              "none");
}

TEST(RegistryControl, CreatesKeysAndNeverCreatesOnReading) {
    MemoryRegistry store;
    Control_Registro registry(store);
    EXPECT_EQ(registry.Recuperar_Setting("HKEY_CLASSES_ROOT", "a\\b", "v", "dflt", 4), "dflt");
    EXPECT_FALSE(store.keyExists(RootKey::ClassesRoot, "a"));
    EXPECT_TRUE(registry.Crear_Entrada("HKEY_CLASSES_ROOT", "a\\b"));
    EXPECT_TRUE(store.keyExists(RootKey::ClassesRoot, "a\\b"));
}

TEST(TypedSettings, ReadTheirDefaultsAndKeepTheirStoredText) {
    MemoryRegistry store;
    Settings settings(store);
    EXPECT_EQ(settings.language(), "EN");
    EXPECT_TRUE(settings.showDialog());
    const WindowPlacement first = settings.mainWindow();
    EXPECT_EQ(first.left, 1000);
    EXPECT_EQ(first.height, 6500);
    EXPECT_TRUE(settings.automaticImports().empty());

    settings.setLanguage("DE");
    settings.setShowDialog(false);
    settings.setMainWindow({500, 700, 12000, 8000});
    ASSERT_TRUE(settings.setAutomaticImports({"/x/a.dst", "/x/b.dst"}).ok());
    WinReg& values = settings.values();
    EXPECT_EQ(values.Leer_Setting("Language", "", 0), "DE");
    EXPECT_EQ(values.Leer_Setting("ShowDialog", "", 0), "0");
    EXPECT_EQ(values.Leer_Setting("MainWidth", "", 0), "12000");
    EXPECT_EQ(settings.mainWindow().top, 700);
    EXPECT_EQ(settings.automaticImports(), (AutomationList{"/x/a.dst", "/x/b.dst"}));
}

TEST(TypedSettings, BlankOrNonNumericPositionsCountZero) {
    MemoryRegistry store;
    Settings settings(store);
    settings.values().Escribir_Setting("MainLeft", "12ab");
    settings.values().Escribir_Setting("MainTop", "");
    settings.values().Escribir_Setting("ShowDialog", "yes");
    settings.values().Escribir_Setting("MainWidth", " 7000 ");
    EXPECT_EQ(settings.mainWindow().left, 0);
    EXPECT_EQ(settings.mainWindow().top, 0); // stored as " "
    EXPECT_EQ(settings.mainWindow().width, 7000);
    EXPECT_EQ(settings.mainWindow().height, 6500); // absent: the default
    EXPECT_FALSE(settings.showDialog());           // only "1" shows the note again
}

TEST(TypedSettings, RecentFilesKeepTheirOrderAndAnEmptyListClearsThem) {
    MemoryRegistry store;
    Settings settings(store);
    EXPECT_TRUE(settings.recentFiles().empty());
    settings.setRecentFiles({"/x/b.dst", "/x/a.txt"});
    EXPECT_EQ(settings.recentFiles(), (std::vector<std::string>{"/x/b.dst", "/x/a.txt"}));
    settings.setRecentFiles({});
    EXPECT_TRUE(settings.recentFiles().empty());
}

} // namespace
} // namespace kolvane
