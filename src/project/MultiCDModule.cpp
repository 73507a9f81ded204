// The CD index, the CD drives and the CD step of the media lookup.
#include "project/MultiCDModule.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/FileAccess.h"
#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "project/ErrorMessages.h"
#include "project/InterfaceTexts.h"
#include "project/MediaPath.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "services/SettingsStore.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>

namespace quillora {
namespace {

// An index lists one record per media file: a few thousand at most. Past this it is damaged.
constexpr size_t kMaxIndexBytes = 4 * 1024 * 1024;
// A mount table or a project folder holding more than this is not looked at further.
constexpr size_t kMaxMountTableBytes = 1024 * 1024;
constexpr int kMaxFolderEntries = 10000;

struct CDModuleState {
    std::vector<CDIndexRecord> records;
    CDPromptHost* host = nullptr;
    bool prompting = false;
};

CDModuleState& State() {
    static CDModuleState state;
    return state;
}

bool IsMultiCDProject() {
    PathLookup& lookup = PathLookup::Instance();
    return lookup.FileExists(Paths().Root + "RunFromCD.dat") &&
           lookup.FileExists(Paths().Config + "CDContents");
}

std::string Joined(const std::string& folder, const std::string& relative) {
    if (folder.empty() || folder.back() == '/') return folder + relative;
    return folder + "/" + relative;
}

// Project paths compare without regard to case or to the kind of separator.
std::string Comparable(const std::string& path) {
    std::string text = FoldCase(path);
    std::replace(text.begin(), text.end(), '\\', '/');
    return text;
}

// The discs copied into the project folder (CD1, CD2, ... in any letter case), by number.
std::map<long, std::string> CopiedDiscs() {
    std::map<long, std::string> discs;
    const auto root = PathLookup::Instance().Find(Paths().Root);
    if (!root) return discs;
    std::error_code error;
    std::filesystem::directory_iterator entries(*root, error);
    int seen = 0;
    for (; !error && entries != std::filesystem::directory_iterator() && seen < kMaxFolderEntries;
         entries.increment(error), ++seen) {
        const std::string name = entries->path().filename().string();
        if (name.size() < 3 || name.size() > 6 || FoldCase(name.substr(0, 2)) != "cd") continue;
        if (!std::all_of(name.begin() + 2, name.end(), [](char c) { return c >= '0' && c <= '9'; }))
            continue;
        if (entries->is_directory(error))
            discs.emplace(std::stol(name.substr(2)), Paths().Root + name + "/");
    }
    return discs;
}

// Paths made from the drive (and names read from the game's files) stay on the drive.
void ConfineToDrive(const std::string& drive) {
    ConfineGameFolders(drive.empty() ? std::vector<std::string>() : std::vector{drive});
}

std::string UnescapeMountField(const std::string& field) {
    std::string text;
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && field[i + 1] >= '0' &&
            field[i + 1] <= '3') {
            const std::string digits = field.substr(i + 1, 3);
            if (std::all_of(digits.begin(), digits.end(),
                            [](char c) { return c >= '0' && c <= '7'; })) {
                text += static_cast<char>(std::stoi(digits, nullptr, 8));
                i += 3;
                continue;
            }
        }
        text += field[i];
    }
    return text;
}

} // namespace

std::vector<CDIndexRecord> ReadCDIndex(ValueListReader& in) {
    for (int i = 0; i < 3; ++i)
        in.Skip();
    const int count = in.ReadInt16();
    in.Skip();
    in.Skip();
    std::vector<CDIndexRecord> records;
    while (!in.AtEnd()) {
        CDIndexRecord record;
        record.FileName = in.ReadString();
        record.CDNumber = in.ReadInt16();
        record.FolderKind = in.ReadInt16();
        if (record.FileName.empty() || record.CDNumber < 1 || record.CDNumber > count ||
            record.FolderKind == 0) {
            continue;
        }
        records.push_back(std::move(record));
    }
    return records;
}

void LoadCDIndex() {
    CDModuleState& state = State();
    state.records.clear();
    if (!IsMultiCDProject()) return;
    try {
        const auto path = PathLookup::Instance().Find(Paths().Config + "CDContents");
        FileBytes file = ReadRegularFile(path.value_or(""), kMaxIndexBytes);
        if (!file) throw ClassicError(ErrorCode::BadFileNameOrNumber);
        // Blank lines after the last record end the file, as the editor never writes them.
        while (!file.bytes.empty() &&
               std::string_view(" \t\r\n").find(file.bytes.back()) != std::string_view::npos) {
            file.bytes.pop_back();
        }
        ValueListReader in(std::move(file.bytes));
        state.records = ReadCDIndex(in);
    } catch (const ClassicError&) {
        state.records.clear();
        ShowCommonError(" Error loading CD index.");
    }
}

int CDIndexCount() {
    return static_cast<int>(State().records.size());
}

const std::vector<CDIndexRecord>& CDIndex() {
    return State().records;
}

void SetCDPromptHost(CDPromptHost* host) {
    State().host = host;
}

void RemoveCDPromptHost(CDPromptHost* host) {
    if (State().host == host) State().host = nullptr;
}

std::string StoredCDDrive() {
    const std::string drive =
        Settings().GetSetting("Software", Project().ProjectName, "DriveLetter", "");
    // A drive letter kept by the Windows player names no folder here.
    return !drive.empty() && drive.front() == '/' ? drive : std::string();
}

void StoreCDDrive(const std::string& folder) {
    Settings().SaveSetting("Software", Project().ProjectName, "DriveLetter", folder);
}

std::vector<std::string> CDMountPoints(const std::string& mountTable) {
    std::vector<std::string> points;
    size_t start = 0;
    while (start < mountTable.size()) {
        size_t end = mountTable.find('\n', start);
        if (end == std::string::npos) end = mountTable.size();
        std::vector<std::string> fields;
        size_t at = start;
        while (at < end && fields.size() < 3) {
            while (at < end && (mountTable[at] == ' ' || mountTable[at] == '\t'))
                ++at;
            size_t stop = at;
            while (stop < end && mountTable[stop] != ' ' && mountTable[stop] != '\t')
                ++stop;
            if (stop > at) fields.push_back(mountTable.substr(at, stop - at));
            at = stop;
        }
        if (fields.size() == 3 && (fields[2] == "iso9660" || fields[2] == "udf"))
            points.push_back(UnescapeMountField(fields[1]));
        start = end + 1;
    }
    return points;
}

std::vector<std::string> MountedCDVolumes() {
    std::ifstream table("/proc/self/mounts", std::ios::binary);
    std::string text(kMaxMountTableBytes, '\0');
    table.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<size_t>(table.gcount()));
    return CDMountPoints(text);
}

std::string DetectCDDrive() {
    const std::vector<std::string> volumes = MountedCDVolumes();
    return volumes.empty() ? std::string() : volumes.back();
}

std::string FindOnCD(const std::string& path, bool& stopped) {
    stopped = false;
    if (!IsMultiCDProject()) return path;
    CDModuleState& state = State();
    PathLookup& lookup = PathLookup::Instance();
    std::string drive = StoredCDDrive();
    if (drive.empty()) {
        drive = DetectCDDrive();
        if (!drive.empty()) StoreCDDrive(drive);
    }
    ConfineToDrive(drive);
    const std::map<long, std::string> discs = CopiedDiscs();
    const std::string onDisc = "Data/" + Project().AdventureName + "/";
    // Not in the index, or before it is asked: the Frames folder of every disc at hand.
    const std::string frames =
        StoredMediaName(onDisc + "Frames/" + std::string(FileNamePart(path)));
    for (const auto& [number, folder] : discs) {
        if (lookup.FileExists(folder + frames)) return folder + frames;
    }
    if (!drive.empty() && lookup.FileExists(Joined(drive, frames))) return Joined(drive, frames);
    if (state.records.empty()) return StoredMediaName(path);

    const std::string wanted = Comparable(path);
    const auto record =
        std::find_if(state.records.begin(), state.records.end(), [&](const CDIndexRecord& r) {
            const std::string& folder = r.FolderKind == 1 ? Paths().Frames : Paths().Areas;
            return Comparable(folder + r.FileName) == wanted;
        });
    if (record == state.records.end() || (record->FolderKind != 1 && record->FolderKind != 2))
        return path;
    const std::string relative = StoredMediaName(
        onDisc + (record->FolderKind == 1 ? "Frames/" : "Areas/") + record->FileName);
    // The disc copied into the project folder is used without asking for it.
    if (const auto disc = discs.find(record->CDNumber);
        disc != discs.end() && lookup.FileExists(disc->second + relative)) {
        return disc->second + relative;
    }
    const auto onDrive = [&] {
        return !drive.empty() && lookup.FileExists(Joined(drive, relative));
    };
    CDPromptHost* host = state.host;
    while (!onDrive() && host != nullptr && !host->StopEverythingRaised() && !state.prompting) {
        state.prompting = true;
        host->PauseGame();
        host->ShowRunFromCD(Text(47) + std::to_string(record->CDNumber) + " " + Text(48), drive);
        state.prompting = false;
        if (host->StopEverythingRaised()) {
            stopped = true;
            host->StopGame();
            break;
        }
        drive = StoredCDDrive();
        ConfineToDrive(drive);
        if (onDrive()) {
            host->ResumeGame();
            break;
        }
        Prompts().MessageBox(Text(45) + "\r\n\r\n" + Joined(drive, relative) + "\r\n\r\n" +
                                 Text(46),
                             BoxStyle::Exclamation, Project().AdventureName);
    }
    // Without a drive there is no place on a CD to name: the file stays missing where it was.
    return drive.empty() ? path : Joined(drive, relative);
}

} // namespace quillora
