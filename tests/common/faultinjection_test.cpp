// Every save a player can make, failing at each step of each file it writes: the old files stay
// byte for byte, no temporary file is left behind, and the player is told, never told it worked.

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
#include <functional>

#ifdef __linux__
constexpr bool kLinux = true;
#else
constexpr bool kLinux = false;
#endif

namespace tessaro {
namespace {

using Messages = std::vector<test::RecordedMessage>;

// The writes from the one after `passes` on fail at `step`, `failures` of them.
struct Fault {
    WriteStep step;
    int passes = 0, failures = 1;
};

std::string nameOf(const Fault& fault) {
    static const char* const steps[] = {"Open", "Write", "Flush", "Rename", "FlushFolder"};
    std::string name = steps[static_cast<int>(fault.step)];
    if (fault.passes > 0 || fault.failures > 1)
        name += "OfFile" + std::to_string(fault.passes + 1);
    return fault.failures > 1 ? name + "And" + std::to_string(fault.passes + 2) : name;
}

// Each step of each of a save's first `files` writes, and then the last two failing together when
// `thenBoth`.
std::vector<Fault> eachStep(int files, bool thenBoth = false) {
    std::vector<Fault> faults;
    for (int at = 0; at < files * 4; ++at)
        faults.push_back({static_cast<WriteStep>(at % 4), at / 4});
    if (thenBoth)
        faults.push_back({WriteStep::Rename, files - 1, 2});
    return faults;
}

struct Env {
    test::TempFolder folder;
    test::ScriptedPlatform platform;
    test::MemorySettings settings;
    std::string path(const std::string& name) const { return fromPath(folder / name); }
    // The text with every "{name}" made the full path of that file.
    std::string expand(std::string text) const {
        for (auto at = text.find('{'); at != std::string::npos; at = text.find('{', at))
            text.replace(at, 1, fromPath(folder / ""));
        text.erase(std::remove(text.begin(), text.end(), '}'), text.end());
        return text;
    }
};

test::RecordedMessage warning(const std::string& text, const std::string& title) {
    return {text, title, MessageIcon::Exclamation, MessageButtons::Ok};
}

// What a failed save leaves: its messages ("{name}" for a file's path), the folder's changes, and
// whether it still starts the game (saying it was done).
struct Outcome {
    Messages messages;
    std::vector<std::string> changes = {};
    bool starts = false;
};
using Expected = std::function<Outcome(const Fault&)>;
Expected only(const std::string& title, const std::string& text) {
    return [=](const Fault&) { return Outcome{{warning(text, title)}}; };
}

// A save path: the folder of files it finds (under tests/data/common/saves), the save (true when it
// says it was done) and what a failure leaves.
struct Save {
    const char* name;
    std::vector<Fault> faults;
    const char* files;
    std::function<bool(Env&)> save;
    Expected expected;
};

bool saveScores(Env& env, bool saveAs) {
    IniEditor editor(env.platform);
    editor.iniFileName = env.path("scores.ini");
    editor.setName = "a.dat";
    editor.getInfo();
    editor.select(0);
    editor.insertBefore();
    env.platform.chooseFile(env.path("other.ini"), "other.ini"); // for Save As
    saveAs ? editor.saveAs() : editor.save();
    return !editor.hasUnsavedChanges();
}

// A set's DAC files, MS then Lynx, set a's then b's and so on: the one that failed stays as it was,
// and its set is reported and not counted. More than eight files are flushed together on Linux, so
// a failed flush keeps them all.
DacGenerator dacGenerator(Env& env) {
    DacGenerator generator({env.folder.root()}, env.folder.path());
    generator.chooseDataFolder(env.path("data"));
    generator.chooseSetsFolder(env.path("sets"));
    return generator;
}
Expected dacFailed(int files, bool all) {
    return [=](const Fault& fault) {
        const bool every = fault.step == WriteStep::Flush && files > 8 && kLinux;
        std::string failed;
        Outcome outcome;
        for (int file = 0; file < files; ++file) {
            const std::string set = std::string(1, static_cast<char>('a' + file / 2)) + ".dat";
            if (every || file == fault.passes)
                failed += failed.ends_with(set) ? "" : "\r\n" + set;
            else
                outcome.changes.push_back("changed sets/" + set +
                                          (file % 2 ? "-Lynx.dac" : "-MS.dac"));
        }
        outcome.messages = {warning("DacGen Error: The DAC files of these level sets could not "
                                    "be written to {sets}:\r\n" +
                                        failed,
                                    "Tessaro DacGen")};
        const int written = (files + 1) / 2 - (every ? (files + 1) / 2 : 1);
        if (all && written > 0)
            outcome.messages.push_back({std::to_string(written) + " level sets successful.",
                                        "DacGen", MessageIcon::Information, MessageButtons::Ok});
        std::sort(outcome.changes.begin(), outcome.changes.end());
        return outcome;
    };
}

// EXE Creator copies CHIPS.EXE to MINE.EXE; Quorvel changes MINE.EXE in place (a name it changes
// without asking).
std::function<bool(Env&)> createExe(ExeCreatorMode mode) {
    return [=](Env& env) {
        ExeCreator creator(env.platform, env.settings);
        creator.setMode(mode);
        creator.originalExe = env.path(mode == ExeCreatorMode::Quorvel ? "MINE.EXE" : "CHIPS.EXE");
        creator.newExe = env.path("MINE.EXE");
        creator.iniName = "mine.ini";
        creator.dataName = "MINE.DAT";
        return creator.ok().done;
    };
}

// A play writes "ludex.exe", then "tessaro.7", and puts "ludex.exe" back when "tessaro.7" cannot be
// renamed: a ".dat" play then asks whether to start the old set (No here), a ".ccf" play does not.
// When "ludex.exe" cannot go back either, the game is not started.
bool play(Env& env, const std::string& name) {
    PlayInputs inputs;
    inputs.fakeLastLevel = "144";
    inputs.realLastLevel = "149";
    inputs.folder = env.path("sets");
    inputs.selectedFile = name;
    const PlayEnvironment environment{.programFolder = env.folder.str(), .playRunner = {}};
    return playSelectedFile(inputs, environment, env.platform).result.done;
}
const std::string kInUse = " (it may be read-only, or the game may still be running)";
const std::string kOldSet = ". Start the game anyway with the level set it held before?";
// The message when "ludex.exe", or else "tessaro.7", failed alone: a question with asks.
Expected played(const std::string& ludex, const std::string& set, bool asks) {
    return [=](const Fault& fault) {
        if (fault.failures == 1)
            return Outcome{{{fault.passes == 0 ? ludex : set, "Tessaro",
                             asks ? MessageIcon::Question : MessageIcon::Exclamation,
                             asks ? MessageButtons::YesNo : MessageButtons::Ok}}};
        return Outcome{
            {warning("Tessaro could not copy the level set to {tessaro.7}" + kInUse +
                         ", nor put the play executable {ludex.exe} back as it was. The game was "
                         "not started, so that no scores are kept under the wrong level set's "
                         "name; play a level set again once both files can be written.",
                     "Tessaro")},
            {"changed ludex.exe"}};
    };
}

const std::vector<Save>& saves() {
    static const std::vector<Save> table = {
        {"Ccx", eachStep(1), "ccx",
         [](Env& env) {
             CcxEditor editor(env.platform);
             editor.openFile(env.path("set.ccx"));
             editor.titleEdit("Renamed");
             return editor.save().done;
         },
         only("CCX File Editor", "Error - cannot save \"{set.ccx}\". The file on disk is "
                                 "unchanged.")},
        {"ScoreIniInPlace", eachStep(1), "scores", [](Env& env) { return saveScores(env, false); },
         only("INI File Editor", "Error - The INI file couldn't be written, saving could not "
                                 "continue.\nPlease use Save As if you would like to save these "
                                 "scores.")},
        {"ScoreIniSaveAs", eachStep(1), "scores", [](Env& env) { return saveScores(env, true); },
         only("INI File Editor", "Error - The file couldn't be written, the scores were not "
                                 "saved.")},
        {"Ccf", eachStep(1), "ccf",
         [](Env& env) {
             CcfCreator creator(env.platform, env.folder.path());
             creator.levelSetPath = "C:\\sets\\new.dat";
             creator.ccfName = "mine.ccf";
             return creator.save().done;
         },
         only("CCF File Creator", "Error - your CCF file (mine.ccf) could not be written, so "
                                  "nothing was saved.")},
        {"DacManySets",
         {{WriteStep::Open, 4}, {WriteStep::Write, 9}, {WriteStep::Flush}, {WriteStep::Rename, 7}},
         "dacmany",
         [](Env& env) { return dacGenerator(env).GenerateAll(env.platform, env.settings).done; },
         dacFailed(10, true)},
        {"DacSet", eachStep(2), "dac",
         [](Env& env) { return dacGenerator(env).GenerateOne(env.platform, "a.dat"), false; },
         dacFailed(2, false)},
        {"ExeCreator", eachStep(1), "exe", createExe(ExeCreatorMode::ExeCreator),
         only("EXE Creator", "Could not write the new names and levels into the new exe file "
                             "({MINE.EXE}). No new exe file was written.")},
        {"Quorvel", eachStep(1), "exe", createExe(ExeCreatorMode::Quorvel),
         only("Quorvel", "Could not write the new levels into {MINE.EXE}. Check that the file "
                         "exists and is not read-only.")},
        {"CreatingLudex", eachStep(1), "exe",
         [](Env& env) {
             env.platform.chooseFile(env.path("CHIPS.EXE"), "CHIPS.EXE");
             return createPlayExecutable(env.platform, env.folder.str());
         },
         only("Tessaro", "Tessaro could not copy {CHIPS.EXE} to {ludex.exe}. Check that the file "
                         "can be read and that ludex.exe is not in use (close the game first).")},
        {"PlayDat", eachStep(2, true), "play", [](Env& env) { return play(env, "a.dat"); },
         played("Tessaro could not change the play executable {ludex.exe}" + kInUse + kOldSet,
                "Tessaro could not copy the level set to {tessaro.7}" + kInUse + kOldSet, true)},
        // Both files are renamed before their folder is flushed: a failed flush leaves the pair
        // the player chose in place, never the new executable with the old set.
        {"PlayDatUnflushed",
         {{WriteStep::FlushFolder}},
         "play",
         [](Env& env) { return play(env, "a.dat"); },
         [](const Fault&) {
             return Outcome{{}, {"changed ludex.exe", "changed tessaro.7"}, true};
         }},
        {"PlayCcf", eachStep(2, true), "play", [](Env& env) { return play(env, "mine.ccf"); },
         played("The play executable {ludex.exe} could not be written.",
                "The level set {sets/a.dat} named by mine.ccf could not be copied to {tessaro.7}.",
                false)},
    };
    return table;
}

using Case = std::pair<const Save*, Fault>;
class SaveFault : public testing::TestWithParam<Case> {};
TEST_P(SaveFault, KeepsTheOldFilesAndSaysSo) {
    const Save& save = *GetParam().first;
    const Fault& fault = GetParam().second;
    Env env;
    const auto files = std::filesystem::path(TESSARO_TEST_DATA "/common/saves") / save.files;
    for (const auto& file : std::filesystem::recursive_directory_iterator(files))
        if (file.is_regular_file())
            env.folder.write(fromPath(file.path().lexically_relative(files)),
                             env.expand(readFileBytes(file.path()).value().str()));
    const test::FolderSnapshot before(env.folder.path());
    const ScopedWriteFailure failure(fault.step, fault.passes, fault.failures);
    auto expected = save.expected(fault);
    EXPECT_EQ(save.save(env), expected.starts);
    EXPECT_EQ(failure.failedWrites(), fault.failures) << "the save never met the failure";
    for (auto& message : expected.messages)
        message.text = env.expand(message.text);
    EXPECT_EQ(before.changes(), expected.changes);
    EXPECT_EQ(env.platform.messages, expected.messages);
    EXPECT_EQ(env.platform.starts.size(), expected.starts ? 1u : 0u);
    EXPECT_TRUE(env.settings.writes.empty()); // the window stays open
}

std::vector<Case> cases() {
    std::vector<Case> all;
    for (const auto& save : saves())
        for (const auto& fault : save.faults)
            all.push_back({&save, fault});
    return all;
}

INSTANTIATE_TEST_SUITE_P(Table, SaveFault, testing::ValuesIn(cases()), [](const auto& info) {
    return info.param.first->name + ("_" + nameOf(info.param.second));
});

} // namespace
} // namespace tessaro
