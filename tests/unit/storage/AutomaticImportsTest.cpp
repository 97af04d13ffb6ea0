// SPDX-License-Identifier: MIT
#include "storage/AutomaticImportRegistration.h"
#include "storage/MemoryRegistry.h"
#include "storage/Recover_DST.h"
#include "tests/support/RecordingPort.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kolvane {
namespace {

using List = AutomationList;

TEST(AutomationList, StoredFormRoundTrips) {
    EXPECT_EQ(ParseAutomationList(" "), List{});
    EXPECT_EQ(ParseAutomationList(""), List{});
    EXPECT_EQ(ParseAutomationList(",C:\\a.dst,C:\\b.dst"), (List{"C:\\a.dst", "C:\\b.dst"}));
    EXPECT_EQ(JoinAutomationList({"/a.dst", "/b c.dst"}), ",/a.dst,/b c.dst");
    EXPECT_EQ(JoinAutomationList({}), "");
    // A stored text that does not start with a comma loses its first character.
    EXPECT_EQ(ParseAutomationList("a,b"), (List{"", "b"}));
}

TEST(AutomationList, ReadAndWriteThroughTheSettings) {
    MemoryRegistry registry;
    WinReg settings(registry);
    List list;
    Leer_Automatizaciones(settings, list);
    EXPECT_TRUE(list.empty());
    ASSERT_TRUE(Guardar_Automatizaciones(settings, {}).ok());
    EXPECT_EQ(settings.Leer_Setting("Automatizaciones", "", 0), " "); // empty is stored as " "
    ASSERT_TRUE(Guardar_Automatizaciones(settings, {"/x/a.dst", "/x/b.dst"}).ok());
    list = {"/kept.dst"};
    Leer_Automatizaciones(settings, list); // appends
    EXPECT_EQ(list, (List{"/kept.dst", "/x/a.dst", "/x/b.dst"}));
}

TEST(AutomationList, ListsTheStoreCannotHoldAreRefusedWhole) {
    MemoryRegistry registry;
    WinReg settings(registry);
    ASSERT_TRUE(Guardar_Automatizaciones(settings, {"/x/a.dst"}).ok());
    EXPECT_EQ(Guardar_Automatizaciones(settings, {"/x/b.dst", "/x/c,d.dst"}).code(),
              ErrorCode::BadSetup);
    EXPECT_EQ(Guardar_Automatizaciones(settings, List(kMaxAutomations + 1, "/x.dst")).code(),
              ErrorCode::BadSetup);
    EXPECT_EQ(settings.Leer_Setting("Automatizaciones", "", 0), ",/x/a.dst"); // unchanged
}

TEST(AutomationWizard, BlanksAndPresets) {
    const BlankReplacement replaced = Quitar_Blancos("C:\\My Imports\\milk day.dst");
    EXPECT_EQ(replaced.path, "C:\\My_Imports\\milk_day.dst");
    EXPECT_EQ(replaced.blanks, 2);

    ImportSetup setup;
    setup.SourceFilePath = "/data/milk.txt";
    const List list{"/a.dst", "/imports/milk_day.dst"};
    WizardStart start = PresetAutomationWizard("/imports/milk day.dst", setup, list);
    EXPECT_EQ(start.blanksReplaced, 1);
    EXPECT_TRUE(start.alreadyRegistered);
    EXPECT_EQ(start.wizard.AutomationIndex, 2);
    EXPECT_EQ(start.wizard.AutomationName, "milk_day");
    EXPECT_EQ(start.wizard.AutomationSourcePath, "/data/milk.txt");
    EXPECT_TRUE(start.wizard.CreateBatchFile && start.wizard.FixedSourcePath);

    start = PresetAutomationWizard("C:\\auto\\new.dst", setup, list);
    EXPECT_FALSE(start.alreadyRegistered);
    EXPECT_EQ(start.wizard.AutomationIndex, 3);
    EXPECT_EQ(start.wizard.AutomationName, "new");
    EXPECT_EQ(Existe_Automatizacion(list, "/A.dst"), std::nullopt); // case-sensitive
}

TEST(BatchFiles, OneLineThatStartsTheRunner) {
    AutomationWizard wizard;
    wizard.AutomationName = "milk_day";
    wizard.AutomationDstPath = "C:\\auto\\milk_day.dst";
    wizard.StartWithoutConfirmation = true;
    wizard.CloseWithoutConfirmation = true;
    EXPECT_EQ(BatchFileLine(wizard, "C:\\Kolvane\\brennick.exe", BatchFlavour::WindowsBatch),
              "C:\\Kolvane\\brennick.exe -d -c C:\\auto\\milk_day.dst\r\n");
    EXPECT_EQ(BatchFilePath(wizard, "C:\\Kolvane", BatchFlavour::WindowsBatch),
              "C:\\Kolvane\\milk_day.bat");
    wizard.StartWithoutConfirmation = false;
    wizard.AutomationDstPath = "/srv/it's;$(rm -rf ~)/milk_day.dst";
    EXPECT_EQ(BatchFileLine(wizard, "/opt/kolvane/Brennick", BatchFlavour::PosixShell),
              "exec '/opt/kolvane/Brennick' -c '/srv/it'\\''s;$(rm -rf ~)/milk_day.dst'\n");
    EXPECT_EQ(BatchFilePath(wizard, "/opt/kolvane", BatchFlavour::PosixShell),
              "/opt/kolvane/milk_day.sh");
}

class CreatingAutomations : public ::testing::Test {
protected:
    testing::TempFolder folder;
    MemoryRegistry registry;
    WinReg settings{registry};
    Language language{"EN"};
    ImportSetup setup;
    List list;
    BatchFileTarget batch{folder.root().string(), folder.path("Brennick")};

    AutomationWizard wizardFor(const std::string& name) {
        ImportSetup source;
        source.SourceFilePath = "/data/" + name + ".txt";
        AutomationWizard wizard =
            PresetAutomationWizard(folder.path(name + ".dst"), source, list).wizard;
        wizard.Description = "Milk of the " + name;
        return wizard;
    }
};

TEST_F(CreatingAutomations, WritesBatchFileDstAndEntry) {
    setup.Separator = ";";
    AutomationWizard wizard = wizardFor("milk_day");
    wizard.StartWithoutConfirmation = true;
    ASSERT_TRUE(Crear_Automatizacion(setup, language, wizard, list, settings, batch).ok());

    EXPECT_EQ(list, List{folder.path("milk_day.dst")});
    EXPECT_EQ(settings.Leer_Setting("Automatizaciones", "", 0), "," + folder.path("milk_day.dst"));
    const std::string script = folder.read("milk_day.sh");
    EXPECT_EQ(script,
              "exec '" + folder.path("Brennick") + "' -d '" + folder.path("milk_day.dst") + "'\n");
    const auto permissions = std::filesystem::status(folder.path("milk_day.sh")).permissions();
    EXPECT_NE(permissions & std::filesystem::perms::owner_exec, std::filesystem::perms::none);

    ImportSetup loaded;
    testing::RecordingPort port;
    ASSERT_TRUE(ReadDstFile(loaded, language, port, folder.path("milk_day.dst")).ok());
    EXPECT_EQ(loaded.Staging.SourceFilePath, "/data/milk_day.txt");
    EXPECT_EQ(loaded.Staging.Description, "Milk of the milk_day\r\n");
    EXPECT_EQ(AutomationExplanation(folder.path("milk_day.dst"), language),
              "Milk of the milk_day\r\n");
    EXPECT_EQ(DstThirdLine(folder.path("milk_day.dst")).value_or(""), "Milk of the milk_day");
}

TEST_F(CreatingAutomations, RegisteringAgainOverwritesInPlace) {
    for (const std::string name : {"a", "b", "c"}) {
        ASSERT_TRUE(
            Crear_Automatizacion(setup, language, wizardFor(name), list, settings, batch).ok());
    }
    AutomationWizard again = wizardFor("b");
    EXPECT_EQ(again.AutomationIndex, 2);
    again.FixedSourcePath = false;
    again.CreateBatchFile = false;
    std::filesystem::remove(folder.path("b.sh"));
    ASSERT_TRUE(Crear_Automatizacion(setup, language, again, list, settings, batch).ok());
    EXPECT_EQ(list.size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(folder.path("b.sh"))); // no batch file asked for
    EXPECT_TRUE(folder.read("b.dst").starts_with("@\r\n"));     // the source is asked for
}

TEST_F(CreatingAutomations, PathsWithCommasAreRefusedBeforeAnythingIsWritten) {
    AutomationWizard wizard = wizardFor("x");
    wizard.AutomationDstPath = folder.path("x,y.dst");
    wizard.AutomationName = "x,y";
    const Status status = Crear_Automatizacion(setup, language, wizard, list, settings, batch);
    EXPECT_EQ(status.code(), ErrorCode::BadSetup);
    EXPECT_NE(status.message().find("comma"), std::string::npos);
    EXPECT_EQ(folder.entries(), std::vector<std::string>{});
    EXPECT_TRUE(list.empty());
}

TEST_F(CreatingAutomations, RemovingMovesTheFollowingEntriesDown) {
    for (const std::string name : {"a", "b", "c"}) {
        ASSERT_TRUE(
            Crear_Automatizacion(setup, language, wizardFor(name), list, settings, batch).ok());
    }
    ASSERT_TRUE(RemoveAutomaticImport(list, 2, settings).ok());
    EXPECT_EQ(list, (List{folder.path("a.dst"), folder.path("c.dst")}));
    EXPECT_FALSE(std::filesystem::exists(folder.path("b.dst")));
    EXPECT_TRUE(std::filesystem::exists(folder.path("b.sh"))); // the batch file stays
    EXPECT_EQ(settings.Leer_Setting("Automatizaciones", "", 0),
              "," + folder.path("a.dst") + "," + folder.path("c.dst"));

    std::filesystem::remove(folder.path("c.dst")); // deleted by hand: no obstacle
    ASSERT_TRUE(RemoveAutomaticImport(list, 2, settings).ok());
    EXPECT_EQ(list, List{folder.path("a.dst")});
    EXPECT_EQ(RemoveAutomaticImport(list, 5, settings).code(), ErrorCode::BadSetup);
}

// The entry goes first, so nothing ever points at a deleted setup; a file
// that then cannot be deleted is told, naming it.
TEST_F(CreatingAutomations, AFailedDeletionIsToldOnceTheEntryIsGone) {
    ASSERT_TRUE(Crear_Automatizacion(setup, language, wizardFor("a"), list, settings, batch).ok());
    // A folder where the DST should be cannot be removed as a file.
    std::filesystem::remove(folder.path("a.dst"));
    std::filesystem::create_directories(folder.path("a.dst/inside"));
    const Status removed = RemoveAutomaticImport(list, 1, settings);
    EXPECT_EQ(removed.code(), ErrorCode::WriteFailed);
    EXPECT_EQ(removed.path(), folder.path("a.dst"));
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(settings.Leer_Setting("Automatizaciones", "", 0), " ");
}

// A settings store that takes no writes, as a read-only folder or a full disk would.
class ReadOnlyStore final : public RegistryBackend {
public:
    std::optional<std::string> readValue(RootKey root, std::string_view key,
                                         std::string_view name) override {
        return inner.readValue(root, key, name);
    }
    bool writeValue(RootKey root, std::string_view key, std::string_view name,
                    std::string_view value) override {
        return writable && inner.writeValue(root, key, name, value);
    }
    bool keyExists(RootKey root, std::string_view key) override {
        return inner.keyExists(root, key);
    }
    bool createKey(RootKey root, std::string_view key) override {
        return writable && inner.createKey(root, key);
    }
    std::string location() const override { return "/home/farmer/.config/kolvane/registry.reg"; }

    MemoryRegistry inner;
    bool writable = true;
};

TEST_F(CreatingAutomations, AStoreThatTakesNoWritesKeepsTheEntryAndTheFile) {
    ReadOnlyStore store;
    WinReg readOnly(store);
    ASSERT_TRUE(Crear_Automatizacion(setup, language, wizardFor("a"), list, readOnly, batch).ok());
    store.writable = false;
    const Status removed = RemoveAutomaticImport(list, 1, readOnly);
    EXPECT_EQ(removed.code(), ErrorCode::WriteFailed);
    EXPECT_EQ(removed.path(), store.location()); // the store is named
    EXPECT_TRUE(std::filesystem::exists(folder.path("a.dst")));
    EXPECT_EQ(list, List{folder.path("a.dst")});
    EXPECT_EQ(Crear_Automatizacion(setup, language, wizardFor("b"), list, readOnly, batch).code(),
              ErrorCode::WriteFailed);
    EXPECT_EQ(Guardar_Automatizaciones(readOnly, {}).code(), ErrorCode::WriteFailed);
}

// Another program changed the list since this one read it: both changes stay.
TEST_F(CreatingAutomations, ChangesMadeMeanwhileElsewhereAreKept) {
    ASSERT_TRUE(Crear_Automatizacion(setup, language, wizardFor("a"), list, settings, batch).ok());
    ASSERT_TRUE(Crear_Automatizacion(setup, language, wizardFor("b"), list, settings, batch).ok());
    List elsewhere;
    ASSERT_TRUE(UpdateAutomations(
                    settings,
                    [](List& stored) {
                        stored.push_back("/other/c.dst");
                        return Status::Ok();
                    },
                    elsewhere)
                    .ok());
    ASSERT_TRUE(Crear_Automatizacion(setup, language, wizardFor("d"), list, settings, batch).ok());
    EXPECT_EQ(list, (List{folder.path("a.dst"), folder.path("b.dst"), "/other/c.dst",
                          folder.path("d.dst")}));
    ASSERT_TRUE(RemoveAutomaticImport(elsewhere, 1, settings).ok()); // a, from the older copy
    EXPECT_EQ(elsewhere, (List{folder.path("b.dst"), "/other/c.dst", folder.path("d.dst")}));
    // A change that fails stores nothing.
    EXPECT_EQ(UpdateAutomations(
                  settings, [](List&) { return Status(ErrorCode::BadSetup, "no"); }, elsewhere)
                  .code(),
              ErrorCode::BadSetup);
    List now;
    Leer_Automatizaciones(settings, now);
    EXPECT_EQ(now, elsewhere);
}

TEST(Explanations, MissingFilesShowMessage103) {
    EXPECT_EQ(AutomationExplanation("/no/such.dst", Language("EN")).substr(0, 36),
              "No files have been found for this au");
    EXPECT_FALSE(DstThirdLine("/no/such.dst"));
}

} // namespace
} // namespace kolvane
