// Every save a player can make, failing at each step of each file it writes:
// the old files stay byte for byte, no temporary file is left behind, and the
// player is told, never told it worked.

#include "ccf/ccfcreator.h"
#include "ccx/ccxeditor.h"
#include "common/paths.h"
#include "common/safewriter.h"
#include "common/textfile.h"
#include "dacgen/dacgenerator.h"
#include "exe_creator/execreator.h"
#include "launcher/playexecutable.h"
#include "launcher/playpipeline.h"
#include "score_ini/inieditor.h"
#include "support/foldersnapshot.h"
#include "support/memorysettings.h"
#include "support/scriptedplatform.h"
#include "support/tempfolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

#ifdef __linux__
#include <sched.h>
#include <sys/mount.h>
#endif

namespace tessaro {
namespace {

using test::RecordedMessage;
using Changes = std::vector<std::string>;
using Messages = std::vector<RecordedMessage>;

// The writes from the one after `passes` on fail at `step`, `failures` of them.
struct Fault {
    WriteStep step;
    int passes = 0;
    int failures = 1;
};

// "Open", "WriteOfSecondFile", "RenameOfSecondAndThirdFile".
std::string nameOf(const Fault& fault) {
    static const char* const steps[] = {"Open", "Write", "Flush", "Rename"};
    static const char* const files[] = {"First", "Second", "Third", "Fourth", "Fifth"};
    std::string name = steps[static_cast<int>(fault.step)];
    if (fault.passes == 0 && fault.failures == 1)
        return name;
    name = name + "Of" + files[fault.passes];
    for (int next = 1; next < fault.failures; ++next)
        name = name + "And" + files[fault.passes + next];
    return name + "File";
}
std::string faultName(const testing::TestParamInfo<Fault>& info) {
    return nameOf(info.param);
}
void PrintTo(const Fault& fault, std::ostream* out) {
    *out << nameOf(fault);
}

// Each step of each of a save's first `files` writes.
std::vector<Fault> eachStep(int files) {
    std::vector<Fault> faults;
    for (int passes = 0; passes < files; ++passes)
        for (const auto step :
             {WriteStep::Open, WriteStep::Write, WriteStep::Flush, WriteStep::Rename})
            faults.push_back({step, passes});
    return faults;
}

RecordedMessage warning(const std::string& text, const std::string& title) {
    return {text, title, MessageIcon::Exclamation, MessageButtons::Ok};
}

class SaveFault : public testing::TestWithParam<Fault> {
protected:
    // Runs the save with this case's failure in place and returns whether it
    // says it was done; `changes` then lists what it did to the folder.
    template <typename Save> bool failing(Save save) {
        const test::FolderSnapshot before(folder.path());
        platform.messages.clear();
        const Fault& fault = GetParam();
        ScopedWriteFailure failure(fault.step, fault.passes, fault.failures);
        const bool done = save();
        EXPECT_EQ(failure.failedWrites(), fault.failures) << "the save never met the failure";
        changes = before.changes();
        return done;
    }
    std::string path(const std::string& name) const { return fromPath(folder / name); }

    test::TempFolder folder;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    Changes changes;
};

class CcxSave : public SaveFault {};
INSTANTIATE_TEST_SUITE_P(Faults, CcxSave, testing::ValuesIn(eachStep(1)), faultName);
TEST_P(CcxSave, KeepsTheOldFile) {
    folder.write("set.ccx",
                 readFileBytes(std::string(TESSARO_TEST_DATA) + "/ccx/other-tool.ccx").value());
    CcxEditor editor(platform);
    editor.openFile(path("set.ccx"));
    editor.titleEdit("Renamed");
    EXPECT_FALSE(failing([&] { return editor.save(); }));
    EXPECT_EQ(changes, Changes{});
    EXPECT_EQ(platform.messages, Messages{warning("Error - cannot save \"" + path("set.ccx") +
                                                      "\". The file on disk is unchanged.",
                                                  "CCX File Editor")});
}

// An edited section saved in place, or by Save As over another score file;
// either way the edits stay unsaved.
class ScoreIniSave : public SaveFault {
protected:
    void SetUp() override {
        folder.write("scores.ini", "[a.dat]\r\nLevel1=ABCD,10,500\r\n[b.dat]\r\nLevel1=EFGH\r\n");
        folder.write("other.ini", "[other.dat]\r\n");
        editor.iniFileName = path("scores.ini");
        editor.setName = "a.dat";
        editor.getInfo();
        editor.select(0);
        editor.insertBefore();
    }
    bool saved() const { return !editor.hasUnsavedChanges(); }

    IniEditor editor{platform};
};

INSTANTIATE_TEST_SUITE_P(Faults, ScoreIniSave, testing::ValuesIn(eachStep(1)), faultName);
TEST_P(ScoreIniSave, InPlaceKeepsTheOldFile) {
    EXPECT_FALSE(failing([&] { return editor.save(), saved(); }));
    EXPECT_EQ(changes, Changes{});
    EXPECT_EQ(platform.messages,
              Messages{warning(IniEditor::kFileNotWritten, IniEditor::kCaption)});
}

TEST_P(ScoreIniSave, SaveAsKeepsTheOldFile) {
    platform.chooseFile(path("other.ini"), "other.ini");
    EXPECT_FALSE(failing([&] { return editor.saveAs(), saved(); }));
    EXPECT_EQ(changes, Changes{});
    EXPECT_EQ(platform.messages, Messages{warning(IniEditor::kSaveAsFailed, IniEditor::kCaption)});
}

class CcfSave : public SaveFault {};
INSTANTIATE_TEST_SUITE_P(Faults, CcfSave, testing::ValuesIn(eachStep(1)), faultName);
TEST_P(CcfSave, KeepsTheOldFile) {
    folder.write("mine.ccf", "\"C:\\sets\\old.dat\"\r\n\"1\"\r\n\"2\"\r\n\"mine.ccf\"\r\n");
    CcfCreator creator(platform, folder.path());
    creator.levelSetPath = "C:\\sets\\new.dat";
    creator.ccfName = "mine.ccf";
    EXPECT_FALSE(failing([&] { return creator.save().done; }));
    EXPECT_EQ(changes, Changes{});
    EXPECT_EQ(platform.messages,
              Messages{warning("Error - your CCF file (mine.ccf) could not be written, so "
                               "nothing was saved.",
                               "CCF File Creator")});
}

// A level set's two DAC files are written one after the other; the one that
// failed stays as it was, and its set is reported and not counted.
class DacSave : public SaveFault {
protected:
    void SetUp() override {
        for (const char* name : {"data/a.dat", "data/b.dat", "sets/a.dat-MS.dac",
                                 "sets/a.dat-Lynx.dac", "sets/b.dat-MS.dac", "sets/b.dat-Lynx.dac"})
            folder.write(name, "old");
        generator.chooseDataFolder(path("data"));
        generator.chooseSetsFolder(path("sets"));
    }
    // What a save that writes these files in this order changes.
    Changes allBut(std::vector<std::string> written) const {
        written.erase(written.begin() + GetParam().passes);
        for (auto& name : written)
            name = "changed sets/" + name + ".dac";
        std::sort(written.begin(), written.end());
        return written;
    }
    RecordedMessage failed(const std::string& set) const {
        return warning("DacGen Error: The DAC files of these level sets could not be written to " +
                           path("sets") + ":\r\n\r\n" + set,
                       "Tessaro DacGen");
    }

    DacGenerator generator{{folder.root()}, folder.path()};
};

class DacBatchSave : public DacSave {};
INSTANTIATE_TEST_SUITE_P(Faults, DacBatchSave, testing::ValuesIn(eachStep(4)), faultName);
TEST_P(DacBatchSave, KeepsTheFailedFile) {
    EXPECT_FALSE(failing([&] { return generator.GenerateAll(platform, settings).done; }));
    EXPECT_EQ(changes, allBut({"a.dat-MS", "a.dat-Lynx", "b.dat-MS", "b.dat-Lynx"}));
    EXPECT_EQ(platform.messages, (Messages{failed(GetParam().passes < 2 ? "a.dat" : "b.dat"),
                                           {"1 level sets successful.", "DacGen",
                                            MessageIcon::Information, MessageButtons::Ok}}));
    EXPECT_TRUE(settings.writes.empty()); // the window stays open
}

class DacSetSave : public DacSave {};
INSTANTIATE_TEST_SUITE_P(Faults, DacSetSave, testing::ValuesIn(eachStep(2)), faultName);
TEST_P(DacSetSave, KeepsTheFailedFile) {
    EXPECT_FALSE(failing([&] { return generator.GenerateOne(platform, "a.dat"), false; }));
    EXPECT_EQ(changes, allBut({"a.dat-MS", "a.dat-Lynx"}));
    EXPECT_EQ(platform.messages, Messages{failed("a.dat")});
}

// The EXE Creator's patched copy (read, patched and written in one write),
// Quorvel's levels in place and the play executable made from the game's.
class ExeSave : public SaveFault {
protected:
    void SetUp() override {
        folder.write("CHIPS.EXE", std::string(48000, '\x5A'));
        folder.write("MINE.EXE", "an older copy");
        folder.write("ludex.exe", "an older play executable");
        creator.newExe = path("MINE.EXE");
        creator.iniName = "mine.ini";
        creator.dataName = "MINE.DAT";
        creator.fakeLastLevel = "20";
    }
    ExeCreator creator{platform, settings};
};

INSTANTIATE_TEST_SUITE_P(Faults, ExeSave, testing::ValuesIn(eachStep(1)), faultName);
TEST_P(ExeSave, ExeCreatorKeepsTheOldCopy) {
    creator.setMode(ExeCreatorMode::ExeCreator);
    creator.originalExe = path("CHIPS.EXE");
    EXPECT_FALSE(failing([&] { return creator.ok().done; }));
    EXPECT_EQ(changes, Changes{});
    EXPECT_EQ(platform.messages,
              Messages{warning("Could not write the new names and levels into the new exe file (" +
                                   path("MINE.EXE") + "). No new exe file was written.",
                               "EXE Creator")});
}

TEST_P(ExeSave, QuorvelKeepsTheOldExecutable) {
    creator.setMode(ExeCreatorMode::Quorvel);
    creator.originalExe = path("CHIPS.EXE");
    EXPECT_FALSE(failing([&] { return creator.ok().done; }));
    EXPECT_EQ(changes, Changes{});
    EXPECT_EQ(platform.messages,
              Messages{warning("Could not write the new levels into " + path("CHIPS.EXE") +
                                   ". Check that the file exists and is not read-only.",
                               "Quorvel")});
}

TEST_P(ExeSave, CreatingLudexKeepsTheOldOne) {
    platform.chooseFile(path("CHIPS.EXE"), "CHIPS.EXE");
    EXPECT_FALSE(failing([&] { return createPlayExecutable(platform, folder.str()); }));
    EXPECT_EQ(changes, Changes{});
    EXPECT_EQ(platform.messages,
              Messages{warning("Tessaro could not copy " + path("CHIPS.EXE") + " to " +
                                   path("ludex.exe") +
                                   ". Check that the file can be read and that ludex.exe is not "
                                   "in use (close the game first).",
                               "Tessaro")});
}

// A play prepares "ludex.exe" and then "tessaro.7", and renames them in the
// same order; when "tessaro.7" cannot be renamed, "ludex.exe" is written back
// as it was (a third write). The two change together or not at all: a ".dat"
// play then starts the set they held before, after saying so, and a ".ccf"
// play does not start. Only when "ludex.exe" cannot go back either does it
// keep the new set's fields, and then the game is not started.
class PlaySave : public SaveFault {
protected:
    void SetUp() override {
        folder.write("ludex.exe", std::string(48000, '\x5A'));
        folder.write("tessaro.7", "the last set played");
        folder.write("sets/a.dat", "the chosen set");
        folder.write("sets/mine.ccf",
                     "\"" + path("sets/a.dat") + "\"\r\n\"1\"\r\n\"2\"\r\n\"mine.ccf\"\r\n");
        inputs.fakeLastLevel = "144";
        inputs.realLastLevel = "149";
        inputs.folder = path("sets");
        environment.programFolder = folder.str();
    }
    bool play(const std::string& name) {
        inputs.selectedFile = name;
        return failing([&] { return playSelectedFile(inputs, environment, platform).done; });
    }
    bool executableFailed() const { return GetParam().passes == 0; }
    bool mismatched() const { return GetParam().failures == 2; }
    Changes expectedChanges() const {
        return mismatched() ? Changes{"changed ludex.exe"} : Changes{};
    }
    std::string mismatchedMessage() const {
        return "Tessaro could not copy the level set to " + path("tessaro.7") + kInUse +
               ", nor put the play executable " + path("ludex.exe") +
               " back as it was. The game was not started, so that no scores are kept under the "
               "wrong level set's name; play a level set again once both files can be written.";
    }

    static constexpr const char* kInUse =
        " (it may be read-only, or the game may still be running)";
    PlayInputs inputs;
    PlayEnvironment environment;
};

std::vector<Fault> playFaults() {
    auto faults = eachStep(2);
    faults.push_back({WriteStep::Rename, 1, 2});
    return faults;
}
INSTANTIATE_TEST_SUITE_P(Faults, PlaySave, testing::ValuesIn(playFaults()), faultName);

TEST_P(PlaySave, ADatPlayStartsTheSetTheFilesHeld) {
    EXPECT_EQ(play("a.dat"), !mismatched());
    EXPECT_EQ(changes, expectedChanges());
    const std::string unchanged =
        (executableFailed() ? "Tessaro could not change the play executable " + path("ludex.exe")
                            : "Tessaro could not copy the level set to " + path("tessaro.7")) +
        kInUse + ". The game will start with the level set and last levels it held before.";
    EXPECT_EQ(platform.messages,
              Messages{warning(mismatched() ? mismatchedMessage() : unchanged, "Tessaro")});
    EXPECT_EQ(platform.starts.size(), mismatched() ? 0u : 1u);
}

TEST_P(PlaySave, ACcfPlayDoesNotStart) {
    EXPECT_FALSE(play("mine.ccf"));
    EXPECT_EQ(changes, expectedChanges());
    const std::string failed =
        executableFailed()
            ? "The play executable " + path("ludex.exe") + " could not be written."
            : "The level set " + path("sets/a.dat") + " named by mine.ccf could not be copied to " +
                  path("tessaro.7") + ".";
    EXPECT_EQ(platform.messages,
              Messages{warning(mismatched() ? mismatchedMessage() : failed, "Tessaro")});
    EXPECT_TRUE(platform.starts.empty());
}

// A real full disk: a file system too small for the new copy beside the old
// one. Mounting one needs the rights to make a mount namespace of our own.
TEST(FullDisk, QuorvelKeepsTheOldExecutableOnAFullDisk) {
#ifdef __linux__
    test::TempFolder folder;
    if (unshare(CLONE_NEWNS) != 0 ||
        mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0)
        GTEST_SKIP() << "no mount namespace of our own (needs root)";
    if (mount("tmpfs", folder.path().c_str(), "tmpfs", 0, "size=64k") != 0)
        GTEST_SKIP() << "a small tmpfs cannot be mounted here";
    struct Unmount {
        const std::filesystem::path& at;
        ~Unmount() { umount2(at.c_str(), MNT_DETACH); }
    } unmount{folder.path()};

    const auto exe = folder.write("CHIPS.EXE", std::string(48000, '\x5A')); // 48 of 64 KiB
    const test::FolderSnapshot before(folder.path());
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    ExeCreator creator(platform, settings);
    creator.setMode(ExeCreatorMode::Quorvel);
    creator.originalExe = fromPath(exe);
    EXPECT_FALSE(creator.ok().done);
    EXPECT_EQ(before.changes(), Changes{});
    EXPECT_EQ(platform.messages,
              Messages{warning("Could not write the new levels into " + creator.originalExe +
                                   ". Check that the file exists and is not read-only.",
                               "Quorvel")});
#else
    GTEST_SKIP() << "mounting a small file system is done on Linux only";
#endif
}

} // namespace
} // namespace tessaro
