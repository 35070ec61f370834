#pragma once
// Instrument files written in code into a temporary folder, and a platform
// that points the plugin's imports at a chosen installation folder.
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "platform/platform.h"
#include "tests/support/nki_writer.h"
#include "tests/support/patch_object_writer.h"

namespace velmora::test {

// A fresh folder below the system's temporary folder, removed with the
// object. Its name has no dot, so dropped-file paths inside it keep theirs.
class ImportFolder {
public:
    ImportFolder() {
        std::random_device seed;
        const auto base = std::filesystem::temp_directory_path();
        do {
            path_ = base / ("velmora-nki-" + std::to_string(seed()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~ImportFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    ImportFolder(const ImportFolder&) = delete;
    ImportFolder& operator=(const ImportFolder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string path() const { return path_.string(); }

private:
    std::filesystem::path path_;
};

inline void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

enum class FileForm { Plain, Container };

// The instrument as a patch file: plain (byte order as the instrument's) or
// a container with a packed preset subtree.
inline std::vector<std::uint8_t> InstrumentFile(const patch_writer::InstrumentSpec& instrument,
                                                FileForm form = FileForm::Plain) {
    const auto stream = patch_writer::presetStream(instrument);
    if (form == FileForm::Container) {
        nki_writer::ContainerPatch c;
        c.preset = stream;
        return nki_writer::containerFile(c);
    }
    nki_writer::PlainPatch p;
    p.preset = stream;
    p.bigEndian = instrument.bigEndian;
    p.header.version = 0x100;
    return nki_writer::plainPatchFile(p);
}

// Groups named "A0", "A1" ... with keys 60, 61 ..., articulation numbers
// 10, 11 ... and icons 3, 4 ...
inline patch_writer::InstrumentSpec NumberedInstrument(int groups) {
    patch_writer::InstrumentSpec instrument;
    for (int i = 0; i < groups; ++i) {
        std::string name = "A" + std::to_string(i);
        instrument.groups.push_back(
            patch_writer::articulationGroup(std::u16string(name.begin(), name.end()), 60 + i, 10 + i, 3 + i));
    }
    return instrument;
}

class ScriptedKeyboard final : public platform::KeyboardState {
public:
    bool control = false;
    bool controlHeld() const override { return control; }
};

// The plugin's imports load the importer from root's plugin folder.
class ImportPlatform final : public platform::Platform {
public:
    explicit ImportPlatform(std::string root, std::string settingsFile)
        : root_(std::move(root)), settingsFile_(std::move(settingsFile)) {}
    std::string executableFolder() const override { return root_; }
    platform::SettingsStore settings() const override { return platform::SettingsStore(settingsFile_); }
    const platform::KeyboardState& keyboardState() const override { return keyboard; }

    ScriptedKeyboard keyboard;

private:
    std::string root_;
    std::string settingsFile_;
};

}  // namespace velmora::test
