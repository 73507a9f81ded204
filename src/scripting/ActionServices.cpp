// The Action object's methods that reach beyond the frame (e-mail, web addresses, files and
// programs, saved parameters, INI files, directory searches, timed events), and the limits a
// game's scripts meet there.
#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/IniFile.h"
#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "game/GameSession.h"
#include "project/ErrorMessages.h"
#include "project/LinkTargets.h"
#include "project/ProjectInfo.h"
#include "project/ProjectPaths.h"
#include "scripting/ScriptAction.h"
#include "scripting/ScriptHost.h"
#include "scripting/ScriptPermissions.h"
#include "scripting/ScriptWindow.h"
#include "scripting/TimedEvents.h"
#include "services/SettingsStore.h"
#include "services/Wait.h"
#include "vbscript/Convert.h"
#include "vbscript/Errors.h"
#include "vbscript/FileWildcards.h"

#include <QDesktopServices>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

#include <algorithm>
#include <cctype>

namespace quillora {
namespace {

bool OpenWithDesktop(const QUrl& target) {
    if (target.isLocalFile()) {
        const QFileInfo info(target.toLocalFile());
        if (info.isFile() && info.isExecutable())
            return QProcess::startDetached(info.absoluteFilePath(), {}, info.absolutePath());
    }
    return QDesktopServices::openUrl(target);
}

using vbs::Value;
using Args = std::span<Value>;

// Dir's attribute bits that change what a search lists.
constexpr int kHiddenAttribute = 2;
constexpr int kDirectoryAttribute = 16;
// A directory search keeps at most this many names: a folder of more is not a game's.
constexpr size_t kMaxSearchEntries = 100000;


std::string WithSlashes(std::string path) {
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

// The file a script names (OpenFile, OpenExeFileAndWait, ReadINI, WriteINI): a name without a
// "\" is taken from the External folder, one with a "\" is used as it stands; a relative path
// starts in the game's folder, where the original player was started.
std::string ResolveScriptFileName(const std::string& name) {
    std::string path =
        WithSlashes(name.find('\\') == std::string::npos ? Paths().External + name : name);
    if (path.empty() || path[0] != '/') path = Paths().Root + path;
    return path;
}

// The existing file or folder at `path` (any letter case), or the path itself.
std::string RealPath(const std::string& path) {
    const std::optional<std::string> found = PathLookup::Instance().Find(path);
    return found ? *found : path;
}

std::string OpenFailureText(const std::string& path) {
    return " Error opening the file titled '" + path + "'.\r\n\r\n";
}

// Starts the program and handles window events until it has ended. Throws the failure to
// start it.
void RunAndWait(const std::string& program) {
    QProcess process;
    const QFileInfo info(QString::fromStdString(program));
    process.setProgram(info.absoluteFilePath());
    process.setWorkingDirectory(info.absolutePath());
    process.start();
    if (!process.waitForStarted()) {
        if (!info.exists()) throw ClassicError(ErrorCode::FileNotFound);
        throw ClassicError(ErrorCode::InvalidProcedureCall, process.errorString().toStdString());
    }
    const WaitScope waiting;
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    if (process.state() != QProcess::NotRunning) loop.exec();
}

// The names a Dir search lists in `folder` (which exists) for `pattern` and the attributes.
std::vector<std::string> ListEntries(const std::string& folder, const std::string& pattern,
                                     int attributes) {
    const QDir dir(QString::fromStdString(folder));
    QDir::Filters filters = QDir::Files | QDir::System;
    if (attributes & kDirectoryAttribute) filters |= QDir::Dirs;
    if (attributes & kHiddenAttribute) filters |= QDir::Hidden;
    std::vector<std::string> names;
    for (const QString& entry : dir.entryList(filters, QDir::Name | QDir::IgnoreCase)) {
        const std::string name = entry.toStdString();
        if (vbs::WildcardMatch(pattern, name)) names.push_back(name);
        if (names.size() >= kMaxSearchEntries) break;
    }
    return names;
}

void DefineLinkMembers(vbs::HostObject& action, ScriptPermissions& permissions) {
    action.DefineMember("SendEmail", [&permissions](Args args) {
        const std::string address = TextArg(args, 0);
        if (address.empty()) return Value();
        const std::optional<QUrl> target = MailLinkTarget(address);
        if (!target || !permissions.OpenExternally(*target)) {
            ShowCommonError(" Error opening the default mail client to send email to: " + address);
        }
        return Value();
    });
    action.DefineMember("OpenURL", [&permissions](Args args) {
        const std::string address = TextArg(args, 0);
        if (address.empty()) return Value();
        // Only web addresses: a game may not hand files or other schemes to the desktop.
        const std::optional<QUrl> target = WebLinkTarget(address);
        if (!target || !permissions.OpenExternally(*target)) {
            ShowCommonError(" Error opening the following URL with the default browser:\r\n\r\n" +
                            address);
        }
        return Value();
    });
}

void DefineProgramMembers(vbs::HostObject& action, ScriptPermissions& permissions,
                          ScriptWindow& window) {
    action.DefineMember("OpenFile", [&permissions](Args args) {
        const std::string name = TextArg(args, 0);
        if (name.empty()) return Value();
        const std::string path = ResolveScriptFileName(name);
        const std::string real = RealPath(path);
        if (!permissions.AllowsOpening(real)) vbs::ThrowError(vbs::Err::PermissionDenied);
        const bool exists = PathLookup::Instance().Exists(real);
        if (exists && IsProgramFile(real)) permissions.CheckProgramStart(real);
        Reporting(OpenFailureText(path), [&] {
            if (!exists) throw ClassicError(ErrorCode::FileNotFound);
            if (!permissions.OpenExternally(QUrl::fromLocalFile(QString::fromStdString(real))))
                throw ClassicError(ErrorCode::InvalidProcedureCall);
        });
        return Value();
    });
    action.DefineMember("OpenExeFileAndWait", [&permissions, &window](Args args) {
        const std::string name = TextArg(args, 0);
        if (name.empty()) return Value();
        const std::string path = ResolveScriptFileName(name);
        const std::string real = RealPath(path);
        permissions.CheckProgramStart(real);
        // No input reaches the game and the automatic jump rests while the program runs;
        // timers and timed events go on (their scripts wait until this one has ended).
        const bool jumpArmed = window.BeginProgramWait();
        Reporting(OpenFailureText(path), [&] { RunAndWait(real); });
        window.EndProgramWait(jumpArmed);
        return Value();
    });
}

void DefineSettingsMembers(vbs::HostObject& action, ScriptHost& host) {
    action.DefineMember("SaveParameter", [](Args args) {
        RequireArgs(args, 2);
        const std::string name = TextArg(args, 0);
        Reporting(" Unable to save the parameter named \"" + name + "\". ", [&] {
            const std::string value = vbs::ToUtf8(vbs::ToString(args[1]));
            Settings().SaveSetting("Software", Project().ProjectName, "_" + name, value);
        });
        return Value();
    });
    action.DefineMember("LoadParameter", [](Args args) {
        RequireArgs(args, 2);
        const std::string name = TextArg(args, 0);
        std::string value;
        Reporting(" Unable to load the parameter named \"" + name + "\". ", [&] {
            const std::string fallback = vbs::ToUtf8(vbs::ToString(args[1]));
            value = Settings().GetSetting("Software", Project().ProjectName, "_" + name, fallback);
        });
        return Value::FromUtf8(value);
    });
    action.DefineMember("ReadINI", [&host](Args args) {
        RequireArgs(args, 3);
        const std::string file = TextArg(args, 0);
        const std::string section = TextArg(args, 1);
        const std::string key = TextArg(args, 2);
        if (file.empty() || section.empty() || key.empty()) return Value::FromUtf8("");
        const std::string real = RealPath(ResolveScriptFileName(file));
        host.Permissions().CheckFileAccess(real);
        if (!PathLookup::Instance().FileExists(real)) return Value::FromUtf8("");
        return Value::FromUtf8(ReadINI(real, section, key));
    });
    action.DefineMember("WriteINI", [&host](Args args) {
        RequireArgs(args, 4);
        const std::string file = TextArg(args, 0);
        const std::string section = TextArg(args, 1);
        const std::string key = TextArg(args, 2);
        const std::string value = vbs::ToUtf8(vbs::ToString(args[3]));
        if (file.empty() || section.empty() || key.empty()) return Value::Integer(0);
        PathLookup& lookup = PathLookup::Instance();
        const std::string path = lookup.PathForWriting(ResolveScriptFileName(file));
        host.Permissions().CheckFileAccess(path);
        WriteINI(path, section, key, value);
        lookup.Forget(std::string(FolderPart(path)));
        return Value::Integer(0);
    });
    action.DefineMember("DDir", [&host](Args args) {
        RequireArgs(args, 2);
        const std::string pathName = TextArg(args, 0);
        const int attributes = IntegerArg(args, 1);
        DirectorySearch& search = host.DirSearch();
        if (!pathName.empty()) {
            std::string path = WithSlashes(pathName);
            if (path[0] != '/') path = Paths().Root + path;
            const std::string_view name = FileNamePart(path);
            const std::string pattern = name.empty() ? std::string("*") : std::string(name);
            const std::optional<std::string> folder =
                PathLookup::Instance().Find(std::string(FolderPart(path)));
            host.Permissions().CheckFileAccess(folder ? *folder : std::string(FolderPart(path)));
            search = DirectorySearch();
            search.Started = true;
            if (folder) search.Names = ListEntries(*folder, pattern, attributes);
        } else if (!search.Started) {
            vbs::ThrowError(vbs::Err::InvalidCall);
        }
        if (search.Next >= search.Names.size()) return Value::FromUtf8("");
        return Value::FromUtf8(search.Names[search.Next++]);
    });
}

void DefineTimedEventMembers(vbs::HostObject& action, TimedEvents& events) {
    action.DefineMember("CreateTimedEvent", [&events](Args args) {
        RequireArgs(args, 3);
        const Value duration = args[0];
        const std::string code = TextArg(args, 1);
        const bool repeat = BoolArg(args, 2);
        return Value::Integer(events.CreateTimedEvent(duration, code, repeat));
    });
    action.DefineMember("RemoveTimedEvent", [&events](Args args) {
        events.RemoveTimedEvent(IntegerArg(args, 0));
        return Value();
    });
}

} // namespace

ScriptPermissions::ScriptPermissions() : m_opener(OpenWithDesktop) {
    // Confined from the start: until the game's folders are known only the temporary folder is
    // open, and nothing may be handed to the desktop.
    m_files.Allow(QDir::tempPath().toStdString());
}

void ScriptPermissions::SetAllowedFolders(const std::vector<std::string>& gameFolders,
                                          const std::string& temporaryFolder) {
    m_files = FileConfinement();
    m_opening = FileConfinement();
    for (const std::string& folder : gameFolders) {
        m_files.Allow(folder);
        m_opening.Allow(folder);
    }
    m_files.Allow(temporaryFolder);
    if (!gameFolders.empty()) m_files.StartFrom(gameFolders.front());
}

FileConfinement ScriptPermissions::EngineRules() const {
    if (!m_trusted) return m_files;
    FileConfinement everywhere;
    everywhere.StartFrom(m_files.StartFolder());
    return everywhere;
}

bool ScriptPermissions::AllowsFile(const std::string& path) const {
    return m_trusted || m_files.Allows(path);
}

bool ScriptPermissions::AllowsOpening(const std::string& path) const {
    return m_trusted || (m_opening.Confined() && m_opening.Allows(path));
}

void ScriptPermissions::CheckFileAccess(const std::string& path) const {
    if (!AllowsFile(path)) vbs::ThrowError(vbs::Err::PermissionDenied);
}

void ScriptPermissions::CheckProgramStart(const std::string& path) {
    if (m_trusted) return;
    const std::string program = FileConfinement::Resolve(path).value_or(path);
    auto answer = m_answers.find(program);
    if (answer == m_answers.end()) {
        // No is the default button: a box nobody answers starts nothing.
        const BoxResult result =
            Prompts().MessageBox("This game wants to start the program:\r\n" + program +
                                     "\r\n\r\nPrograms can change your files. Start it?",
                                 BoxStyle::YesNo + BoxStyle::Question + BoxStyle::DefaultButton2,
                                 Project().AdventureName);
        answer = m_answers.emplace(program, result == BoxResult::Yes).first;
    }
    if (!answer->second) vbs::ThrowError(vbs::Err::PermissionDenied);
}

std::string GameDataFolder(const std::string& projectName) {
    // The name comes from the game: only plain characters make the folder's name.
    std::string name;
    for (const char c : projectName) {
        const auto byte = static_cast<unsigned char>(c);
        name += std::isalnum(byte) || c == ' ' || c == '-' || c == '_' ? c : '_';
    }
    if (name.empty() || name.find_first_not_of('_') == std::string::npos) name = "_" + name;
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return base.toStdString() + "/Quillora/" + name + "/";
}

bool IsProgramFile(const std::string& path) {
    const QFileInfo info(QString::fromStdString(path));
    if (info.isFile() && info.isExecutable()) return true;
    const std::string extension = FoldCase(info.suffix().toStdString());
    return extension == "exe" || extension == "com" || extension == "bat" || extension == "cmd" ||
           extension == "pif" || extension == "scr" || extension == "lnk" || extension == "sh";
}

void DefineActionServiceMembers(vbs::HostObject& action, const ActionScope& scope) {
    DefineLinkMembers(action, scope.Host.Permissions());
    DefineProgramMembers(action, scope.Host.Permissions(), scope.Window);
    DefineSettingsMembers(action, scope.Host);
    DefineTimedEventMembers(action, scope.Host.Events());
}

} // namespace quillora
