// Checking a game folder file by file, following the frames from the start frame.
#include "check/GameCheck.h"

#include "check/ScriptCheck.h"
#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "effects/RipplingWater.h"
#include "game/ActionSection.h"
#include "game/FrameFile.h"
#include "game/GameState.h"
#include "game/GameSession.h"
#include "game/Hotspots.h"
#include "game/Inventory.h"
#include "game/Variables.h"
#include "project/ErrorMessages.h"
#include "project/InterfaceTexts.h"
#include "project/MediaPath.h"
#include "project/MultiCDModule.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "project/WelcomeScheme.h"
#include "scene/Pictures.h"
#include "scripting/DialogueWizard.h"
#include "scripting/ProcedureLibrary.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <map>
#include <optional>
#include <set>

namespace quillora {
namespace {

// The findings one file may give before the rest are left out.
constexpr int kMaxFindingsPerFile = 200;

// The procedure library's three header lines come before its first line of code.
constexpr int kProcedureHeaderLines = 3;

// A box's text on one line, each run of line breaks shown as " / ".
std::string OneLine(const std::string& text) {
    std::string line;
    bool lineBreak = false;
    for (const char c : text) {
        if (c == '\r' || c == '\n') {
            lineBreak = true;
            continue;
        }
        if (lineBreak && !line.empty()) {
            while (!line.empty() && line.back() == ' ')
                line.pop_back();
            line += " / ";
        }
        lineBreak = false;
        if (c == ' ' && !line.empty() && line.back() == ' ') continue;
        line += c;
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

// The line a reader's message names ("line 12"), 0 when it names none.
int LineNamedIn(const std::string& text) {
    const size_t at = text.find("line ");
    if (at == std::string::npos) return 0;
    int line = 0;
    for (size_t i = at + 5; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        line = line * 10 + (text[i] - '0');
        if (line > 100000000) return 0;
    }
    return line;
}

bool IsDefaultName(const std::string& name) {
    return name.empty() || EqualsNoCase(name, "default");
}

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

class Checker;

// While the check runs, a box that a reused reader shows becomes a finding of the file being
// read, so that nothing waits for an answer.
class BoxesAsFindings : public PromptService {
public:
    explicit BoxesAsFindings(Checker& checker) : m_checker(checker) {}
    BoxResult MessageBox(const std::string& text, int style, const std::string& title) override;
    std::optional<std::string> InputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return std::nullopt;
    }

private:
    Checker& m_checker;
};

// What an action section asks for, noted rather than done: the variables it changes and the
// items it adds; its channel rows go into a table of the checker's own.
class NotedEffects : public ActionEffects {
public:
    void ChangeVariable(const std::string& name, int16_t) override { Variables.push_back(name); }
    void HideHotspotOrUseItem() override {}
    void StopHotspotSound() override {}
    void StopAllSounds() override {}
    void SetFadeDuration(double) override {}
    SoundChannelTable& Channels() override { return Table; }
    void AddItem(const std::string& name) override { Items.push_back(name); }

    std::vector<std::string> Variables;
    std::vector<std::string> Items;
    SoundChannelTable Table = FreshSoundChannels();
};

struct Reference {
    std::string Name;
    std::string File;
    int Line = 0;
};

class Checker {
public:
    explicit Checker(const std::string& folder) : m_folder(folder) {}

    CheckReport Run();
    void Box(const std::string& text);

private:
    void Add(const std::string& file, int line, bool error, const std::string& message) {
        // A damaged or hostile file could otherwise fill the terminal with one line per value.
        const int count = ++m_perFile[file];
        if (count > kMaxFindingsPerFile) return;
        if (count == kMaxFindingsPerFile) {
            m_report.Findings.push_back({file, line, true, "error: more findings in this file " +
                                                                 std::string("are left out")});
            return;
        }
        m_report.Findings.push_back({file, line, error, (error ? "error: " : "warning: ") + message});
    }
    void Error(const std::string& file, int line, const std::string& message) {
        Add(file, line, true, message);
    }
    void Warning(const std::string& file, int line, const std::string& message) {
        Add(file, line, false, message);
    }
    // A path of the project as a finding names it: the file on disk when there is one.
    std::string Shown(const std::string& path);
    std::optional<ValueListReader> Open(const std::string& path);
    void Damaged(const std::string& file, const ClassicError& error, int line);

    void CheckProjectFiles();
    void CheckScheme();
    // A file a game names, found as the player finds it; a picture is decoded as well.
    enum class Media { Picture, Other };
    void CheckMedia(const std::string& file, int line, const std::string& what,
                    const std::string& folder, const std::string& name,
                    Media kind = Media::Other);
    // A script whose text starts at `line` of `file` (0: the script's lines are not the file's).
    void CheckScript(const std::string& file, int line, const std::string& what,
                     const std::string& text);
    void Link(const std::string& target, const std::string& file, int line);
    void UseItem(const std::string& name, const std::string& file, int line);
    void UseVariable(const std::string& name, const std::string& file, int line);

    void CheckFrame(const std::string& name);
    void CheckHotspots(const std::string& frame);
    void CheckTexts(const std::string& frame);
    void CheckActions(const std::string& frame, const std::string& path, bool drops);
    void CheckPickUps(const std::string& frame);
    void CheckDialogue(const std::string& frame);
    void CheckWater(const std::string& frame);
    void CheckItems();
    void CheckCombinations();
    void CheckUnreached();

    std::string m_folder;
    CheckReport m_report;
    ScriptChecker m_scripts;
    std::string m_reading; // the file a box belongs to
    std::deque<Reference> m_pending;
    std::set<std::string> m_frames; // frames checked, folded
    std::map<std::string, Reference> m_items; // folded name -> first use
    std::set<std::string> m_variables;        // declared, folded
    bool m_variablesKnown = false;
    std::map<std::string, int> m_perFile;
};

BoxResult BoxesAsFindings::MessageBox(const std::string& text, int style, const std::string&) {
    m_checker.Box(text);
    return DefaultBoxResult(style);
}

void Checker::Box(const std::string& text) {
    // The common error's opening lines tell a player what to do; an author wants the rest.
    std::string message = text;
    const std::string common = CommonErrorText("");
    if (message.compare(0, common.size(), common) == 0) message.erase(0, common.size());
    message.erase(0, message.find_first_not_of(' '));
    Error(m_reading, LineNamedIn(message), OneLine(message));
}

std::string Checker::Shown(const std::string& path) {
    const std::string real = PathLookup::Instance().Find(path).value_or(path);
    const std::string& root = Paths().Root;
    std::string shown = real.compare(0, root.size(), root) == 0 ? real.substr(root.size()) : real;
    std::replace(shown.begin(), shown.end(), '\\', '/');
    return shown;
}

std::optional<ValueListReader> Checker::Open(const std::string& path) {
    try {
        return ValueListReader::Open(path);
    } catch (const ClassicError& error) {
        Damaged(Shown(path), error, 0);
        return std::nullopt;
    }
}

void Checker::Damaged(const std::string& file, const ClassicError& error, int line) {
    const std::string detail = error.Detail().empty() ? "" : " / " + OneLine(error.Detail());
    Error(file, line != 0 ? line : LineNamedIn(error.Detail()),
          "cannot be read: " + error.Description() + detail);
}

void Checker::CheckMedia(const std::string& file, int line, const std::string& what,
                         const std::string& folder, const std::string& name, Media kind) {
    const std::string path = folder + name;
    // The player's own lookup (the file, its stored numbered name, a CD copy), without its box.
    const std::string found = name.empty() ? path : ResolveMediaPath(path, true);
    PathLookup& lookup = PathLookup::Instance();
    if (!lookup.FileExists(found)) {
        const bool other = !name.empty() && lookup.Exists(found);
        Error(file, line,
              what + " " + Quoted(name) + (other ? " is not a file (" : " is missing (") +
                  Shown(other ? found : path) + ")");
        return;
    }
    if (kind != Media::Picture) return;
    try {
        LoadPicture(found);
    } catch (const ClassicError& error) {
        Error(file, line,
              what + " " + Quoted(name) + " cannot be shown (" + Shown(found) +
                  "): " + error.Description());
    }
}

void Checker::CheckScript(const std::string& file, int line, const std::string& what,
                          const std::string& text) {
    if (text.empty()) return;
    if (const auto problem = m_scripts.Compile(text)) {
        const int fileLine = line > 0 && problem->Line > 0 ? line + problem->Line - 1 : line;
        Error(file, fileLine,
              what + " does not compile (script line " + std::to_string(problem->Line) +
                  "): " + problem->Message);
    }
    for (const NamedFrame& frame : FramesNamedInScript(text))
        Link(frame.Name, file, line > 0 ? line + frame.Line - 1 : line);
}

void Checker::Link(const std::string& target, const std::string& file, int line) {
    if (target.empty() || IsLastVisitedFrame(target) || EqualsNoCase(target, "last visited frame"))
        return;
    m_pending.push_back({target, file, line});
}

void Checker::UseItem(const std::string& name, const std::string& file, int line) {
    if (name.empty()) return;
    m_items.try_emplace(FoldCase(name), Reference{name, file, line});
}

void Checker::UseVariable(const std::string& name, const std::string& file, int line) {
    if (!m_variablesKnown || name.empty() || m_variables.count(FoldCase(name)) != 0) return;
    Warning(file, line, "the variable " + Quoted(name) + " is not in Config/Variables, so " +
                            "changing it does nothing");
}

void Checker::CheckProjectFiles() {
    PathLookup& lookup = PathLookup::Instance();
    const std::string texts = Paths().Config + "Texts";
    if (lookup.FileExists(texts)) {
        m_reading = Shown(texts);
        LoadInterfaceTexts();
    } else {
        SetDefaultTexts(false);
    }
    const std::string general = Paths().Config + "General";
    m_reading = Shown(general);
    std::string detail;
    const std::string failure = LoadProjectInfo(&detail);
    if (!failure.empty())
        Error(m_reading, LineNamedIn(detail), "cannot be read: " + OneLine(failure + " " + detail));
    const ProjectInfo& info = Project();
    if (info.StartFrame.empty()) Error(m_reading, 0, "the project names no start frame");

    const std::string variables = Paths().Config + "Variables";
    // A variables file that is there but no file (a pipe, a folder) is reported by its reader.
    if (lookup.Exists(variables)) {
        m_reading = Shown(variables);
        ProjectVariables vars;
        const size_t findings = m_report.Findings.size();
        LoadVariables(vars);
        for (const auto& v : vars.Variables)
            m_variables.insert(FoldCase(v->Name));
        for (const auto& v : vars.VariablesVariant)
            m_variables.insert(FoldCase(v->Name));
        // A list that could not be read says nothing of which variables exist.
        m_variablesKnown = m_report.Findings.size() == findings;
    }

    if (lookup.FileExists(Paths().Root + "RunFromCD.dat")) {
        m_reading = Shown(Paths().Config + "CDContents");
        LoadCDIndex();
    }

    const std::string procedures = Paths().Config + "Procedures";
    if (lookup.FileExists(procedures)) {
        m_reading = Shown(procedures);
        const std::string library = LoadProjectProcedures();
        CheckScript(m_reading, kProcedureHeaderLines + 1, "the procedure library", library);
    }
    if (info.RunStartupScript)
        CheckScript(Shown(general), 0, "the start-up script", info.StartupScript);
    if (info.RunFrameScript)
        CheckScript(Shown(general), 0, "the project's frame script", info.FrameScript);
    if (!IsDefaultName(info.DefaultCursor))
        CheckMedia(Shown(general), 0, "default pointer", Paths().Icons, info.DefaultCursor);
    if (info.UseInventory) {
        if (info.UseInventoryBackground && !IsDefaultName(info.InventoryBackground2))
            CheckMedia(Shown(general), 0, "inventory background", Paths().Inventory,
                       info.InventoryBackground2, Media::Picture);
        if (!IsDefaultName(info.InventoryBackground1))
            CheckMedia(Shown(general), 0, "inventory tab picture", Paths().Inventory,
                       info.InventoryBackground1, Media::Picture);
    }
    CheckScheme();
}

void Checker::CheckScheme() {
    const std::string& name = Project().SchemeName;
    if (name.empty()) return;
    const std::string file = SchemeFolder(name) + "Scheme.txt";
    const WelcomeScheme scheme = LoadWelcomeScheme(name);
    if (!scheme.Found) {
        Warning(Shown(Paths().Config + "General"), 0,
                "the scheme " + Quoted(name) + " has no " + Shown(file) +
                    ": the welcome window shows plain buttons");
        return;
    }
    if (scheme.Pictures.empty() || !scheme.TextColor)
        Warning(Shown(file), 0, "the scheme is damaged: the welcome window applies only part of it");
    for (const std::string& picture : scheme.Pictures) {
        if (!SchemeEntryNamesFile(picture)) continue;
        if (!PathLookup::Instance().FileExists(SchemeFolder(name) + picture))
            Error(Shown(file), 0,
                  "scheme picture " + Quoted(picture) + " is missing (" +
                      Shown(SchemeFolder(name) + picture) + ")");
    }
}

void Checker::CheckFrame(const std::string& name) {
    const std::string path = Paths().Frames + name + ".fme";
    const std::string file = Shown(path);
    m_reading = file;
    std::optional<ValueListReader> in = Open(path);
    if (!in) return;
    in->SetName(file);
    GameSession session;
    FrameFileData frame;
    try {
        frame = ReadFrameFile(*in, session);
    } catch (const ClassicError& error) {
        Damaged(file, error, in->LastValueLine());
    }
    if (frame.BackgroundKind == 1)
        CheckMedia(file, 0, "background picture", Paths().Frames, frame.Background,
                   Media::Picture);
    if (!frame.MusicFile.empty()) CheckMedia(file, 0, "music", Paths().Areas, frame.MusicFile);
    if (!frame.FrameSound.empty())
        CheckMedia(file, 0, "sound", Paths().Frames, frame.FrameSound);
    if (!frame.VideoFile.empty()) CheckMedia(file, 0, "video", Paths().Frames, frame.VideoFile);
    for (int channel = 1; channel <= kSoundChannelCount; ++channel) {
        const std::string& sound = session.Audio.Channels[channel].FileName;
        if (!sound.empty()) CheckMedia(file, 0, "channel sound", Paths().Areas, sound);
    }
    if (frame.AutoJump) {
        if (frame.AutoJumpFrame.empty())
            Error(file, 0, "the automatic jump names no frame");
        Link(frame.AutoJumpFrame, file, 0);
    }
    if (frame.RunFrameScript)
        CheckScript(file, frame.FrameScriptLine, "the frame script", frame.FrameScriptText);

    m_reading = Shown(Paths().Frames + name + ".lks");
    ReadHotspotCount(name);
    CheckHotspots(name);
    CheckTexts(name);
    const std::string base = Paths().FramesData + name;
    PathLookup& lookup = PathLookup::Instance();
    const std::string actions = lookup.FileExists(base + ".mr3") ? base + ".mr3" : base + ".fm3";
    if (lookup.FileExists(actions)) CheckActions(name, actions, false);
    if (lookup.FileExists(base + ".fm0")) CheckActions(name, base + ".fm0", true);
    CheckPickUps(name);
    CheckDialogue(name);
    CheckWater(name);
}

void Checker::CheckWater(const std::string& frame) {
    const std::string effect = Paths().Frames + frame + ".rwe";
    const std::string mask = Paths().Frames + frame + ".rwm";
    PathLookup& lookup = PathLookup::Instance();
    const bool hasEffect = lookup.FileExists(effect);
    if (hasEffect != lookup.FileExists(mask)) {
        Warning(Shown(hasEffect ? effect : mask), 0,
                "the rippling water of " + Quoted(frame) + " needs both " + Shown(effect) +
                    " and " + Shown(mask) + ": it does not play");
    }
    if (!hasEffect) return;
    std::optional<ValueListReader> in = Open(effect);
    if (!in) return;
    in->SetName(Shown(effect));
    try {
        ReadWaterEffect(*in);
    } catch (const ClassicError& error) {
        Damaged(Shown(effect), error, in->LastValueLine());
    }
}

void Checker::CheckHotspots(const std::string& frame) {
    const std::string path = HotspotFilePath(frame);
    if (path.empty()) return;
    const std::string file = Shown(path);
    std::optional<ValueListReader> in = Open(path);
    if (!in) return;
    in->SetName(file);
    int sectionEnd = 0; // the line of the previous separator
    for (int i = 1; !in->AtEnd(); ++i) {
        SectionFailure failure;
        const HotspotSection s = ReadHotspotSection(*in, failure);
        // The editor writes one value a line: a section starts after the previous separator.
        const int line = sectionEnd + 1;
        sectionEnd = in->LastValueLine();
        const std::string hotspot = "hotspot " + std::to_string(i) + ": ";
        if (!failure.Description.empty()) {
            // The values after a damaged one are not what the author wrote: no more findings.
            Error(file, failure.Line, hotspot + "cannot be read: " + OneLine(failure.Description));
            continue;
        }
        // An animated picture plays frame by frame; a still one is decoded whole.
        const bool animated = s.Animated != 0 && s.HasPicture;
        if (s.HasPicture)
            CheckMedia(file, line, hotspot + "picture", Paths().Areas, s.PictureFile,
                       animated ? Media::Other : Media::Picture);
        if (!IsDefaultName(s.PointerFile))
            CheckMedia(file, line, hotspot + "pointer", Paths().Icons, s.PointerFile);
        if (s.Video && !animated)
            CheckMedia(file, line, hotspot + "video", Paths().Frames, s.VideoFile);
    }
}

void Checker::CheckTexts(const std::string& frame) {
    const std::string base = Paths().FramesData + frame;
    PathLookup& lookup = PathLookup::Instance();
    const std::string path = lookup.FileExists(base + ".mr1") ? base + ".mr1" : base + ".fm1";
    if (!lookup.FileExists(path)) {
        // The editor writes a texts file with every frame's hotspot and action files.
        for (const char* sibling : {".fm2", ".mr2", ".fm3", ".mr3"}) {
            if (!lookup.FileExists(base + sibling)) continue;
            Warning(Shown(base + sibling), 0,
                    "the frame " + Quoted(frame) + " has no texts file " + Shown(base + ".fm1") +
                        ": it shows no text boxes");
            break;
        }
        return;
    }
    // Text boxes forgive a bad value one property at a time; the file itself must be readable.
    std::optional<ValueListReader> in = Open(path);
    if (!in) return;
    try {
        while (!in->AtEnd())
            in->ReadRaw();
    } catch (const ClassicError& error) {
        Damaged(Shown(path), error, in->LastValueLine());
    }
}

void Checker::CheckActions(const std::string& frame, const std::string& path, bool drops) {
    const std::string file = Shown(path);
    std::optional<ValueListReader> in = Open(path);
    if (!in) return;
    in->SetName(file);
    for (int i = 1; !in->AtEnd(); ++i) {
        const std::string what =
            (drops ? "drop action " : "hotspot ") + std::to_string(i) + " of " + Quoted(frame);
        int line = 0;
        try {
            in->Skip();
            line = in->LastValueLine();
            if (drops) {
                // Value 2 is the key "<hotspot>_<item>.drg".
                const std::string key = in->ReadString();
                const size_t underscore = key.find('_');
                const size_t dot = key.rfind('.');
                if (underscore != std::string::npos && dot != std::string::npos && dot > underscore)
                    UseItem(key.substr(underscore + 1, dot - underscore - 1), file, line);
            } else {
                in->Skip();
            }
            for (int v = 3; v <= 10; ++v)
                in->Skip();
            NotedEffects effects;
            const ActionValues a = ReadActionSection(*in, effects);
            for (const std::string& variable : effects.Variables)
                UseVariable(variable, file, line);
            for (const std::string& item : effects.Items)
                UseItem(item, file, line);
            for (int channel = 1; channel <= kSoundChannelCount; ++channel) {
                const std::string& sound = effects.Table[channel].FileName;
                if (!sound.empty()) CheckMedia(file, line, what + ": channel sound", Paths().Areas, sound);
            }
            if (!a.EndGame) {
                if (a.GoToFrame != 0) {
                    if (a.FrameName.empty())
                        Error(file, a.FrameNameLine, what + " goes to a frame but names none");
                    Link(a.FrameName, file, a.FrameNameLine);
                }
                if (a.PlayMovie != 0)
                    CheckMedia(file, line, what + ": movie", Paths().Frames, a.MovieFile);
                if (a.PlayHotspotSound && !a.HotspotSound.empty())
                    CheckMedia(file, line, what + ": sound", Paths().Areas, a.HotspotSound);
                if (a.PlaySecondSound)
                    CheckMedia(file, line, what + ": sound", Paths().Frames, a.SecondSound);
                if (a.RunScript) CheckScript(file, a.ScriptLine, "the script of " + what, a.Script);
            }
        } catch (const ClassicError& error) {
            Damaged(file, error, in->LastValueLine());
        }
        SkipToSectionEnd(*in);
    }
}

void Checker::CheckPickUps(const std::string& frame) {
    const std::string path = Paths().FramesData + frame + ".fm4";
    if (!PathLookup::Instance().FileExists(path)) return;
    const std::string file = Shown(path);
    std::optional<ValueListReader> in = Open(path);
    if (!in) return;
    in->SetName(file);
    while (!in->AtEnd()) {
        try {
            const PickUpSection section = ReadPickUpSection(*in);
            if (section.PicksUp) UseItem(section.Item, file, section.ItemLine);
        } catch (const ClassicError& error) {
            Damaged(file, error, in->LastValueLine());
        }
        SkipToSectionEnd(*in);
    }
}

void Checker::CheckDialogue(const std::string& frame) {
    const std::string path = Paths().FramesData + frame + ".dlg";
    if (!PathLookup::Instance().FileExists(path)) return;
    const std::string file = Shown(path);
    std::optional<ValueListReader> in = Open(path);
    if (!in) return;
    in->SetName(file);
    std::vector<DialogueQuestion> questions;
    try {
        ReadDialogueFile(*in, questions);
    } catch (const ClassicError& error) {
        Damaged(file, error, in->LastValueLine());
    }
    for (size_t q = 1; q < questions.size(); ++q) {
        const std::string what = "question " + std::to_string(q) + "'s ";
        CheckScript(file, 0, what + "first script", questions[q].FirstScript);
        CheckScript(file, 0, what + "second script", questions[q].SecondScript);
        CheckScript(file, 0, what + "third script", questions[q].ThirdScript);
    }
}

void Checker::CheckItems() {
    // Every item file of the Areas folder counts as used: scripts may add any of them.
    if (const auto areas = PathLookup::Instance().Find(Paths().Areas)) {
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(*areas, ec)) {
            const std::string name = entry.path().filename().string();
            if (name.size() > 4 && EqualsNoCase(name.substr(name.size() - 4), ".obj"))
                UseItem(name.substr(0, name.size() - 4), "", 0);
        }
    }
    for (const auto& [folded, use] : m_items) {
        const std::string path = Paths().Areas + use.Name + ".obj";
        if (!PathLookup::Instance().FileExists(path)) {
            Error(use.File, use.Line,
                  "the item " + Quoted(use.Name) + " has no item file " + Shown(path));
            continue;
        }
        const std::string file = Shown(path);
        std::optional<ValueListReader> in = Open(path);
        if (!in) continue;
        in->SetName(file);
        try {
            const std::string icon = in->ReadString();
            CheckMedia(file, in->LastValueLine(), "item icon", Paths().Areas, icon,
                       Media::Picture);
        } catch (const ClassicError& error) {
            Damaged(file, error, in->LastValueLine());
        }
    }
}

void Checker::CheckCombinations() {
    const auto areas = PathLookup::Instance().Find(Paths().Areas);
    if (!areas) return;
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(*areas, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > 4 && EqualsNoCase(name.substr(name.size() - 4), ".drg"))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
        const std::string path = Paths().Areas + name;
        const std::string file = Shown(path);
        std::optional<ValueListReader> in = Open(path);
        if (!in) continue;
        in->SetName(file);
        try {
            const ItemCombination c = ReadItemCombination(*in);
            if (c.AddNew) UseItem(c.NewItem, file, in->LastValueLine());
            if (c.RunScript) CheckScript(file, c.ScriptLine, "the combination script", c.Script);
        } catch (const ClassicError& error) {
            Damaged(file, error, in->LastValueLine());
        }
    }
}

void Checker::CheckUnreached() {
    const auto frames = PathLookup::Instance().Find(Paths().Frames);
    if (!frames) {
        Error("Frames", 0, "the game has no Frames folder");
        return;
    }
    std::vector<std::string> unreached;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(*frames, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= 4 || !EqualsNoCase(name.substr(name.size() - 4), ".fme")) continue;
        ++m_report.FramesInGame;
        const std::string frame = name.substr(0, name.size() - 4);
        if (m_frames.count(FoldCase(frame)) == 0) unreached.push_back(frame);
    }
    for (const std::string& frame : unreached) {
        Warning(Shown(Paths().Frames + frame + ".fme"), 0,
                "the frame " + Quoted(frame) + " is never reached from the start frame " +
                    "(no frame link, hotspot or item action, or GoToFrame with its name)");
    }
}

CheckReport Checker::Run() {
    // Schemes and Inventory are kept once set: a check after another game starts from nothing.
    Paths() = ProjectPaths();
    SetProjectRoot(m_folder);
    PathLookup::Instance().ForgetAll();
    BoxesAsFindings boxes(*this);
    SetPrompts(&boxes);
    if (!PathLookup::Instance().FileExists(Paths().Config + "General")) {
        Error("Config/General", 0, "the project information file is missing: this is no game");
        SetPrompts(nullptr);
        return std::move(m_report);
    }
    CheckProjectFiles();
    Link(Project().StartFrame, Shown(Paths().Config + "General"), 0);
    CheckCombinations();
    while (!m_pending.empty()) {
        const Reference link = m_pending.front();
        m_pending.pop_front();
        if (m_frames.count(FoldCase(link.Name)) != 0) continue;
        if (!PathLookup::Instance().FileExists(Paths().Frames + link.Name + ".fme")) {
            Error(link.File, link.Line,
                  "link to the frame " + Quoted(link.Name) + ", which has no frame file " +
                      Shown(Paths().Frames + link.Name + ".fme"));
            m_frames.insert(FoldCase(link.Name));
            continue;
        }
        m_frames.insert(FoldCase(link.Name));
        ++m_report.FramesReached;
        CheckFrame(link.Name);
    }
    CheckItems();
    CheckUnreached();
    SetPrompts(nullptr);
    return std::move(m_report);
}

} // namespace

int CheckReport::Errors() const {
    return static_cast<int>(
        std::count_if(Findings.begin(), Findings.end(), [](const Finding& f) { return f.Error; }));
}

int CheckReport::Warnings() const {
    return static_cast<int>(Findings.size()) - Errors();
}

CheckReport CheckGame(const std::string& folder) {
    Checker checker(folder);
    return checker.Run();
}

std::string FormatFinding(const Finding& finding) {
    std::string line = finding.File;
    if (finding.Line > 0) line += ":" + std::to_string(finding.Line);
    return line + ": " + finding.Message;
}

int PrintCheckReport(const CheckReport& report, std::FILE* out) {
    std::vector<Finding> sorted = report.Findings;
    std::stable_sort(sorted.begin(), sorted.end(), [](const Finding& a, const Finding& b) {
        return a.File != b.File ? a.File < b.File : a.Line < b.Line;
    });
    for (const Finding& finding : sorted)
        std::fprintf(out, "%s\n", FormatFinding(finding).c_str());
    const int errors = report.Errors();
    const int warnings = report.Warnings();
    std::fprintf(out, "%d error%s, %d warning%s; %d of %d frames reached from the start frame\n",
                 errors, errors == 1 ? "" : "s", warnings, warnings == 1 ? "" : "s",
                 report.FramesReached, report.FramesInGame);
    return errors > 0 ? 1 : 0;
}

} // namespace quillora
