#include "launcher/playpipeline.h"

#include "ccf/ccffile.h"
#include "common/numbers.h"
#include "common/paths.h"
#include "common/textfile.h"
#include "launcher/patchwriter.h"

#include <fstream>

namespace tessaro {

namespace {

constexpr const char* kTitle = "Tessaro";

const std::string kNoExecutableMessage =
    std::string("Error - you have not yet created a ludex.exe file. In the Play menu, select ") +
    "\"I haven't created a Ludex.exe yet\"" +
    ", or select an already existing EXE file by clicking the Browse button on the main screen.";

bool canOpenForReading(const std::string& path) {
    std::error_code error;
    if (std::filesystem::is_directory(toPath(path), error))
        return false;
    std::ifstream in(toPath(path), std::ios::binary);
    return in.is_open();
}

std::string tooLongMessage(const std::string& name, const char* extensions) {
    return "The file name " + name +
           " is too long. Please rename it so it is 16 characters or less (including the " +
           extensions + ") and try again.";
}

void warn(Platform& platform, const std::string& text) {
    platform.tell(text, kTitle, MessageIcon::Exclamation);
}

#ifndef _WIN32
bool startsWithMz(const std::string& path) {
    std::ifstream in(toPath(path), std::ios::binary);
    char header[2] = {};
    return in.read(header, 2) && header[0] == 'M' && header[1] == 'Z';
}
#endif

// Starts the play executable; says so when it cannot be started at all.
bool startGame(const std::string& executable, const PlayEnvironment& environment,
               Platform& platform) {
    const auto request = buildStartRequest(executable, environment.playRunner);
    if (platform.startProgram(request))
        return true;
    std::string text = "Tessaro could not start " + executable + ".";
    if (!environment.playRunner.empty()) {
        text += " Check the PlayRunner setting (" + environment.playRunner + ").";
    } else if (request.program == "wine") {
        text += " The game is a Windows program; install Wine to play it here.";
    }
    warn(platform, text);
    return false;
}

CommandResult playCcf(const PlayInputs& inputs, const PlayPaths& paths,
                      const PlayEnvironment& environment, Platform& platform) {
    const std::string& name = *inputs.selectedFile;
    const auto fields = readCcfFields(toPath(joinAndClean(inputs.folder, name)), 4);
    if (!fields) {
        warn(platform, "The CCF file " + name +
                           " could not be read or does not hold the four lines of a CCF file.");
        return {};
    }

    PatchWriter writer(toPath(paths.executable));
    writer.writeIniName(paths.iniName);
    writer.writeDataFileName(kDataCopyName);
    const auto fake = toInt16((*fields)[1]);
    const auto real = toInt16((*fields)[2]);
    if (!fake || !real) {
        warn(platform, "The CCF file " + name + " holds a last level that is not a number.");
        return {};
    }
    writer.writeLevels(*fake, *real);
    if (name.size() > 16) {
        warn(platform, tooLongMessage(name, ".ccf"));
        return {};
    }
    writer.writeSectionName(name);
    if (!writer.close()) {
        warn(platform, "The play executable " + paths.executable + " could not be written.");
        return {};
    }
    if (!copyFileReplacing(toPath((*fields)[0]), toPath(paths.dataCopy))) {
        warn(platform, "The level set " + (*fields)[0] + " named by " + name +
                           " could not be copied to " + paths.dataCopy + ".");
        return {};
    }
    return {{}, startGame(paths.executable, environment, platform)};
}

} // namespace

PlayPaths computePlayPaths(const PlayInputs& inputs, const std::string& programFolder) {
    PlayPaths paths;
    if (inputs.alternateExecutable.empty()) {
        paths.executable = joinAndClean(programFolder, kPlayExecutableName);
        paths.dataCopy = joinAndClean(programFolder, kDataCopyName);
    } else {
        paths.executable = inputs.alternateExecutable;
        // The alternate executable's folder, with its trailing separator. When
        // the remembered name does not match the path's end, the folder is
        // taken from the path itself.
        std::string folder;
        const auto& name = inputs.alternateExecutableName;
        if (!name.empty() && inputs.alternateExecutable.size() >= name.size() &&
            inputs.alternateExecutable.compare(inputs.alternateExecutable.size() - name.size(),
                                               name.size(), name) == 0) {
            folder = inputs.alternateExecutable.substr(0, inputs.alternateExecutable.size() -
                                                              name.size());
        } else {
            const auto slash = inputs.alternateExecutable.find_last_of("/\\");
            folder = slash == std::string::npos ? std::string()
                                                : inputs.alternateExecutable.substr(0, slash + 1);
        }
        paths.dataCopy = folder + kDataCopyName;
    }
    if (inputs.iniFileName.empty()) {
        paths.iniName = kDefaultIniName;
    } else {
        paths.iniName = (inputs.iniFileName + std::string(11, ' ')).substr(0, 11);
    }
    return paths;
}

CommandResult playSelectedFile(const PlayInputs& inputs, const PlayEnvironment& environment,
                               Platform& platform) {
    const auto paths = computePlayPaths(inputs, environment.programFolder);
    if (!canOpenForReading(paths.executable)) {
        warn(platform, kNoExecutableMessage);
        return {};
    }
    const auto fake = toInt16(inputs.fakeLastLevel);
    if (!fake || *fake < 1) {
        warn(platform, "Error - invalid level 144");
        return CommandResult::refused("Text1");
    }
    const auto real = toInt16(inputs.realLastLevel);
    if (!real || *real < 1 || *real < *fake) {
        warn(platform, "Error - invalid level 149");
        return CommandResult::refused("Text2");
    }
    if (!inputs.selectedFile || inputs.selectedFile->empty())
        return {};

    const std::string& name = *inputs.selectedFile;
    if (name.size() >= 3 && name.compare(name.size() - 3, 3, "ccf") == 0)
        return playCcf(inputs, paths, environment, platform);

    // A level set: a failed patch or copy still starts the game with whatever
    // the executable and "tessaro.7" hold, so the last set played stays playable.
    {
        PatchWriter writer(toPath(paths.executable));
        writer.writeIniName(paths.iniName);
        writer.writeDataFileName(kDataCopyName);
        writer.writeLevels(*fake, *real);
        if (name.size() > 16) {
            warn(platform, tooLongMessage(name, ".dat or .ccl"));
            return {};
        }
        writer.writeSectionName(name);
    }
    copyFileReplacing(toPath(joinAndClean(inputs.folder, name)), toPath(paths.dataCopy));
    return {{}, startGame(paths.executable, environment, platform)};
}

std::vector<std::string> splitCommandWords(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char c : text) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord)
                words.push_back(word);
            word.clear();
            inWord = false;
        } else {
            word.push_back(c);
            inWord = true;
        }
    }
    if (inWord)
        words.push_back(word);
    return words;
}

StartRequest buildStartRequest(const std::string& executable, const std::string& playRunner) {
    StartRequest request;
    request.workingFolder = toPath(executable).parent_path();
    auto runner = splitCommandWords(playRunner);
    if (!runner.empty()) {
        request.program = toPath(runner.front());
        request.arguments.assign(runner.begin() + 1, runner.end());
        request.arguments.push_back(executable);
        return request;
    }
#ifdef _WIN32
    request.program = toPath(executable);
#else
    if (startsWithMz(executable)) {
        request.program = "wine";
        request.arguments.push_back(executable);
    } else {
        request.program = toPath(executable);
    }
#endif
    return request;
}

} // namespace tessaro
