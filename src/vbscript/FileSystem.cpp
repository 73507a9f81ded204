// Scripting.FileSystemObject with File, Folder and TextStream objects. Every path goes through
// the case-insensitive path lookup and then the engine's file confinement; text files are
// Windows-1252 (or UTF-16 when asked).
#include "core/Cp1252.h"
#include "core/FileConfinement.h"
#include "core/PathLookup.h"
#include "vbscript/Convert.h"
#include "vbscript/Engine.h"
#include "vbscript/FileWildcards.h"

#include <ctime>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <sys/stat.h>
#include <unordered_map>

namespace quillora::vbs {

namespace {

namespace fs = std::filesystem;

// The folders scripts may reach, shared with the engine so that a later change applies to
// objects already made.
using Rules = std::shared_ptr<const FileConfinement>;

// A path argument, a relative one taken from the rules' start folder.
std::string PathArg(const Rules& rules, std::span<Value> args, size_t i) {
    return rules->Anchored(ToUtf8(ToString(args[i])));
}

// The first argument, which the member requires.
const Value& First(std::span<Value> args) {
    if (args.empty()) ThrowError(Err::WrongArgCount);
    return args[0];
}

std::string Native(std::string path) {
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

// "Permission denied" for a path the system would take outside the allowed folders.
void Check(const Rules& rules, const std::string& path) {
    if (!rules->Allows(path)) ThrowError(Err::PermissionDenied);
}

std::string ForWriting(const Rules& rules, const std::string& path) {
    std::string p = PathLookup::Instance().PathForWriting(path);
    if (p.empty()) p = Native(path);
    Check(rules, p);
    return p;
}

// The real path of an existing file or folder, or nothing. A path outside the allowed folders
// is refused whether it exists or not, so the refusal tells nothing about it.
std::optional<std::string> Existing(const Rules& rules, const std::string& path) {
    std::optional<std::string> real = PathLookup::Instance().Find(path);
    if (real)
        Check(rules, *real);
    else if (rules->Confined())
        ForWriting(rules, path);
    return real;
}

// As Existing, but a path outside the allowed folders is simply not there (FileExists).
std::optional<std::string> Visible(const Rules& rules, const std::string& path) {
    std::optional<std::string> real = PathLookup::Instance().Find(path);
    if (real && !rules->Allows(*real)) return std::nullopt;
    return real;
}

// Whether a folder entry may be shown: only a link can lead out of an allowed folder.
bool Reachable(const Rules& rules, const fs::directory_entry& entry) {
    std::error_code ec;
    return !rules->Confined() || !entry.is_symlink(ec) || rules->Allows(entry.path().string());
}

void Forget(const std::string& path) {
    PathLookup::Instance().Forget(std::string(FolderPart(Native(path))));
    PathLookup::Instance().ForgetAll();
}

bool EndsWithSeparator(const std::string& path) {
    return !path.empty() && (path.back() == '\\' || path.back() == '/');
}

// The real paths a source argument names: one existing file (or folder), or every entry that a
// wildcard in its last part fits; none is an error.
// Entries that lead out of the allowed folders are left out of the wildcard's matches.
std::vector<std::string> Sources(const Rules& rules, const std::string& path, bool folders) {
    const int missing = folders ? Err::PathNotFound : Err::FileNotFound;
    if (!HasWildcards(path)) {
        auto real = Existing(rules, path);
        if (!real || fs::is_directory(*real) != folders) ThrowError(missing);
        return {*real};
    }
    const std::string_view parent = FolderPart(path);
    auto folder = Existing(rules, parent.empty() ? std::string(".") : std::string(parent));
    if (!folder || !fs::is_directory(*folder)) ThrowError(Err::PathNotFound);
    std::vector<std::string> found = MatchingEntries(*folder, FileNamePart(path), folders);
    std::erase_if(found, [&](const std::string& entry) { return !rules->Allows(entry); });
    if (found.empty()) ThrowError(missing);
    return found;
}

// Copies or moves one file or folder to a target path: an existing target is an error unless
// a copy may overwrite it, and a file never replaces a folder. Both ends must be allowed (the
// target may be a link already there).
void Transfer(const Rules& rules, const std::string& real, const std::string& target, bool copy,
              bool overwrite) {
    Check(rules, real);
    Check(rules, target);
    std::error_code ec;
    if (fs::exists(target)) {
        if (!copy || !overwrite) ThrowError(Err::FileAlreadyExists);
        if (fs::is_directory(target) != fs::is_directory(real)) ThrowError(Err::PermissionDenied);
    }
    auto options = fs::copy_options::overwrite_existing | fs::copy_options::recursive;
    // Links inside a copied folder are copied as links, not followed out of the allowed folders.
    if (rules->Confined()) options |= fs::copy_options::copy_symlinks;
    if (copy)
        fs::copy(real, target, options, ec);
    else
        fs::rename(real, target, ec);
    if (ec) ThrowError(Err::PermissionDenied);
    Forget(target);
    Forget(real);
}

double FileTimeSerial(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) != 0) return 0;
    std::tm local{};
    localtime_r(&st.st_mtime, &local);
    double day = 0;
    MakeDate(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, day);
    return day + MakeTime(local.tm_hour, local.tm_min, local.tm_sec);
}

std::u16string NamePart(const std::u16string& path) {
    size_t end = path.size();
    while (end > 0 && (path[end - 1] == '\\' || path[end - 1] == '/'))
        --end;
    size_t start = end;
    while (start > 0 && path[start - 1] != '\\' && path[start - 1] != '/' && path[start - 1] != ':')
        --start;
    return path.substr(start, end - start);
}

// ---------------------------------------------------------------------------------------------
// TextStream

class TextStream : public Object {
public:
    enum Mode { ForReading = 1, ForWriting = 2, ForAppending = 8 };

    TextStream(std::string path, Mode mode, bool unicode)
        : m_path(std::move(path)), m_mode(mode), m_unicode(unicode) {
        if (mode == ForReading) {
            std::ifstream in(m_path, std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            const std::string raw = bytes.str();
            if (unicode || (raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF &&
                            static_cast<unsigned char>(raw[1]) == 0xFE)) {
                size_t i = (raw.size() >= 2 && static_cast<unsigned char>(raw[0]) == 0xFF) ? 2 : 0;
                for (; i + 1 < raw.size(); i += 2)
                    m_text.push_back(
                        static_cast<char16_t>(static_cast<unsigned char>(raw[i]) |
                                              (static_cast<unsigned char>(raw[i + 1]) << 8)));
            } else {
                m_text = FromUtf8(Cp1252ToUtf8(raw));
            }
        } else {
            m_out.open(m_path,
                       std::ios::binary | (mode == ForAppending ? std::ios::app : std::ios::trunc));
            if (!m_out) ThrowError(Err::PermissionDenied);
            if (unicode && mode == ForWriting) m_out.write("\xFF\xFE", 2);
        }
    }

    std::u16string TypeName() const override { return u"TextStream"; }

    enum Id { // from 1: a TextStream has no default member
        Read = 1,
        ReadLine,
        ReadAll,
        Write,
        WriteLine,
        WriteBlankLines,
        Skip,
        SkipLine,
        Close,
        AtEndOfStream,
        AtEndOfLine,
        Line,
        Column
    };
    int FindMember(std::string_view name) override {
        static const std::unordered_map<std::string_view, int> ids = {
            {"read", Read},
            {"readline", ReadLine},
            {"readall", ReadAll},
            {"write", Write},
            {"writeline", WriteLine},
            {"writeblanklines", WriteBlankLines},
            {"skip", Skip},
            {"skipline", SkipLine},
            {"close", Close},
            {"atendofstream", AtEndOfStream},
            {"atendofline", AtEndOfLine},
            {"line", Line},
            {"column", Column}};
        auto it = ids.find(name);
        return it == ids.end() ? kNoMember : it->second;
    }

    Value Invoke(int member, InvokeKind kind, std::span<Value> args) override {
        if (kind != InvokeKind::Get) ThrowError(Err::NoSuchMember);
        switch (member) {
        case Read: {
            Reading();
            const int32_t n = ToLong(First(args));
            if (n < 0) ThrowError(Err::InvalidCall);
            if (m_pos >= m_text.size()) ThrowError(Err::InputPastEnd);
            const std::u16string s = m_text.substr(m_pos, static_cast<size_t>(n));
            Advance(s.size());
            return Value::Str(s);
        }
        case ReadLine: {
            Reading();
            if (m_pos >= m_text.size()) ThrowError(Err::InputPastEnd);
            size_t end = m_pos;
            while (end < m_text.size() && m_text[end] != '\r' && m_text[end] != '\n')
                ++end;
            const std::u16string s = m_text.substr(m_pos, end - m_pos);
            size_t next = end;
            if (next < m_text.size() && m_text[next] == '\r') ++next;
            if (next < m_text.size() && m_text[next] == '\n') ++next;
            Advance(next - m_pos);
            return Value::Str(s);
        }
        case ReadAll: {
            Reading();
            // Even an empty file has nothing to read.
            if (m_pos >= m_text.size()) ThrowError(Err::InputPastEnd);
            const std::u16string s = m_text.substr(m_pos);
            Advance(s.size());
            return Value::Str(s);
        }
        case Skip:
            Reading();
            Advance(std::min<size_t>(static_cast<size_t>(std::max(0, ToLong(First(args)))),
                                     m_text.size() - m_pos));
            return {};
        case SkipLine: Invoke(ReadLine, kind, {}); return {};
        case Write:
            Writing();
            Put(ToString(First(args)));
            return {};
        case WriteLine:
            Writing();
            if (!args.empty()) Put(ToString(args[0]));
            Put(u"\r\n");
            return {};
        case WriteBlankLines: {
            Writing();
            const int32_t n = ToLong(First(args));
            for (int32_t i = 0; i < n; ++i)
                Put(u"\r\n");
            return {};
        }
        case Close:
            if (m_out.is_open()) {
                m_out.close();
                Forget(m_path);
            }
            m_closed = true;
            return {};
        case AtEndOfStream: Reading(); return Value::Boolean(m_pos >= m_text.size());
        case AtEndOfLine:
            Reading();
            return Value::Boolean(m_pos >= m_text.size() || m_text[m_pos] == '\r' ||
                                  m_text[m_pos] == '\n');
        case Line: return Value::Long(m_line);
        case Column: return Value::Long(m_column);
        default: ThrowError(Err::NoSuchMember);
        }
    }

private:
    void Reading() {
        if (m_mode != ForReading || m_closed) ThrowError(Err::BadFileMode);
    }
    void Writing() {
        if (m_mode == ForReading || m_closed) ThrowError(Err::BadFileMode);
    }
    void Advance(size_t n) {
        for (size_t i = 0; i < n; ++i) {
            if (m_text[m_pos + i] == '\n') {
                ++m_line;
                m_column = 1;
            } else {
                ++m_column;
            }
        }
        m_pos += n;
    }
    void Put(const std::u16string& s) {
        if (m_unicode) {
            for (char16_t c : s) {
                const char bytes[2] = {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
                m_out.write(bytes, 2);
            }
        } else {
            const std::string bytes = Utf8ToCp1252(ToUtf8(s));
            m_out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        }
        for (char16_t c : s) {
            if (c == '\n') {
                ++m_line;
                m_column = 1;
            } else {
                ++m_column;
            }
        }
        if (!m_out) ThrowError(57);
    }

    std::string m_path;
    Mode m_mode;
    bool m_unicode;
    bool m_closed = false;
    std::u16string m_text;
    size_t m_pos = 0;
    int32_t m_line = 1;
    int32_t m_column = 1;
    std::ofstream m_out;
};

ObjectRef OpenStream(const Rules& rules, const std::string& path, int mode, bool create,
                     bool unicode) {
    if (mode != TextStream::ForReading && mode != TextStream::ForWriting &&
        mode != TextStream::ForAppending)
        ThrowError(Err::InvalidCall);
    std::optional<std::string> real = Existing(rules, path);
    if (real && fs::is_directory(*real)) ThrowError(Err::PermissionDenied);
    if (!real) {
        if (!create) ThrowError(Err::FileNotFound);
        const std::string target = ForWriting(rules, path);
        if (!fs::is_directory(
                fs::path(target).parent_path().empty() ? "." : fs::path(target).parent_path()))
            ThrowError(Err::PathNotFound);
        // Even a file opened for reading is created empty when asked to be.
        if (mode == TextStream::ForReading && !std::ofstream(target, std::ios::binary))
            ThrowError(Err::PermissionDenied);
        real = target;
    }
    auto* stream = new TextStream(*real, static_cast<TextStream::Mode>(mode), unicode);
    Forget(*real);
    return ObjectRef(stream);
}

ObjectRef CreateStream(const Rules& rules, const std::string& path, bool overwrite, bool unicode) {
    if (auto real = Existing(rules, path)) {
        if (!overwrite) ThrowError(Err::FileAlreadyExists);
        if (fs::is_directory(*real)) ThrowError(Err::PermissionDenied);
    }
    const std::string target = ForWriting(rules, path);
    const fs::path parent = fs::path(target).parent_path();
    if (!parent.empty() && !fs::is_directory(parent)) ThrowError(Err::PathNotFound);
    auto* stream = new TextStream(target, TextStream::ForWriting, unicode);
    Forget(target);
    return ObjectRef(stream);
}

// ---------------------------------------------------------------------------------------------
// File and Folder

Value MakeFolder(const Rules& rules, const std::string& path);
Value MakeFile(const Rules& rules, const std::string& path);

// A File or Folder: its path was allowed when it was made, and is checked again whenever the
// object touches the disk, as a folder may have been replaced since.
class FileItem : public Object {
public:
    FileItem(Rules rules, std::string path, bool folder)
        : m_rules(std::move(rules)), m_path(std::move(path)), m_folder(folder) {}
    std::u16string TypeName() const override { return m_folder ? u"Folder" : u"File"; }

    enum Id {
        Path = 0,
        Name,
        Size,
        DateLastModified,
        DateCreated,
        DateLastAccessed,
        ParentFolder,
        Delete,
        Copy,
        Move,
        OpenAsTextStream,
        Files,
        SubFolders,
        CreateTextFile,
        IsRootFolder,
        Attributes,
        TypeProp,
        ShortName,
        ShortPath,
        Drive
    };
    int FindMember(std::string_view name) override {
        static const std::unordered_map<std::string_view, int> ids = {
            {"path", Path},
            {"name", Name},
            {"size", Size},
            {"datelastmodified", DateLastModified},
            {"datecreated", DateCreated},
            {"datelastaccessed", DateLastAccessed},
            {"parentfolder", ParentFolder},
            {"delete", Delete},
            {"copy", Copy},
            {"move", Move},
            {"openastextstream", OpenAsTextStream},
            {"files", Files},
            {"subfolders", SubFolders},
            {"createtextfile", CreateTextFile},
            {"isrootfolder", IsRootFolder},
            {"attributes", Attributes},
            {"type", TypeProp},
            {"shortname", ShortName},
            {"shortpath", ShortPath},
            {"drive", Drive}};
        auto it = ids.find(name);
        return it == ids.end() ? kNoMember : it->second;
    }

    Value Invoke(int member, InvokeKind kind, std::span<Value> args) override {
        if (kind != InvokeKind::Get) {
            if (member == Name && args.size() == 1) {
                const fs::path target = fs::path(m_path).parent_path() / ToUtf8(ToString(args[0]));
                Check(m_rules, m_path);
                if (Existing(m_rules, target.string())) ThrowError(Err::FileAlreadyExists);
                Check(m_rules, target.string());
                std::error_code ec;
                fs::rename(m_path, target, ec);
                if (ec) ThrowError(Err::PermissionDenied);
                m_path = target.string();
                Forget(m_path);
                return {};
            }
            if (member == Attributes) return {};
            ThrowError(Err::NoSuchMember);
        }
        std::error_code ec;
        // Members that only tell the name need no access to the disk.
        if (member != Path && member != ShortPath && member != Name && member != ShortName &&
            member != IsRootFolder && member != TypeProp && member != Drive)
            Check(m_rules, m_path);
        switch (member) {
        case Path:
        case ShortPath: return Value::FromUtf8(m_path);
        case Name:
        case ShortName: return Value::FromUtf8(fs::path(m_path).filename().string());
        case Size: {
            uintmax_t total = 0;
            if (m_folder) {
                for (auto& e : fs::recursive_directory_iterator(m_path, ec))
                    if (e.is_regular_file(ec) && Reachable(m_rules, e)) total += e.file_size(ec);
            } else {
                total = fs::file_size(m_path, ec);
            }
            return total <= 2147483647u ? Value::Long(static_cast<int32_t>(total))
                                        : Value::Double(static_cast<double>(total));
        }
        case DateLastModified:
        case DateCreated:
        case DateLastAccessed: return Value::Date(FileTimeSerial(m_path));
        case ParentFolder: {
            const std::string parent = fs::path(m_path).parent_path().string();
            Check(m_rules, parent);
            return MakeFolder(m_rules, parent);
        }
        case Delete:
            fs::remove_all(m_path, ec);
            if (ec) ThrowError(Err::PermissionDenied);
            Forget(m_path);
            return {};
        case Copy:
        case Move: {
            // As CopyFile/CopyFolder and MoveFile/MoveFolder with this one source.
            if (args.empty()) ThrowError(Err::WrongArgCount);
            const std::string given = PathArg(m_rules, args, 0);
            std::string dest = ForWriting(m_rules, given);
            if (EndsWithSeparator(given)) {
                auto folder = Existing(m_rules, given);
                if (!folder || !fs::is_directory(*folder)) ThrowError(Err::PathNotFound);
                dest = (fs::path(dest) / fs::path(m_path).filename()).string();
            }
            Transfer(m_rules, m_path, dest, member == Copy, args.size() < 2 || ToBool(args[1]));
            if (member == Move) m_path = dest; // the object follows its file
            return {};
        }
        case OpenAsTextStream: {
            const int mode = args.empty() ? 1 : ToLong(args[0]);
            const bool unicode = args.size() > 1 && ToLong(args[1]) == -1;
            return Value::Obj(OpenStream(m_rules, m_path, mode, false, unicode).Get());
        }
        case Files:
        case SubFolders: {
            std::vector<std::pair<std::string, Value>> items;
            for (auto& e : fs::directory_iterator(m_path, ec)) {
                const bool isDir = e.is_directory(ec);
                if (isDir != (member == SubFolders) || !Reachable(m_rules, e)) continue;
                items.emplace_back(e.path().filename().string(),
                                   isDir ? MakeFolder(m_rules, e.path().string())
                                         : MakeFile(m_rules, e.path().string()));
            }
            std::sort(items.begin(), items.end(),
                      [](auto& x, auto& y) { return FoldCase(x.first) < FoldCase(y.first); });
            auto* list = new HostObject(member == Files ? u"Files" : u"Folders");
            auto shared =
                std::make_shared<std::vector<std::pair<std::string, Value>>>(std::move(items));
            list->DefineMember("Count", [shared](std::span<Value>) {
                return Value::Long(static_cast<int32_t>(shared->size()));
            });
            auto item = [shared](std::span<Value> a) -> Value {
                if (a.size() != 1) ThrowError(Err::WrongArgCount);
                const std::string key = FoldCase(ToUtf8(ToString(a[0])));
                for (auto& [n, v] : *shared)
                    if (FoldCase(n) == key) return v;
                ThrowError(Err::PathNotFound);
            };
            list->DefineMember("", item);
            list->DefineMember("Item", item);
            list->DefineItems([shared] {
                std::vector<Value> v;
                for (auto& [n, x] : *shared)
                    v.push_back(x);
                return v;
            });
            // Files("name") reads the collection's default Item, as with any property.
            return args.empty() ? Value::Obj(list) : IndexValue(Value::Obj(list), args);
        }
        case CreateTextFile: {
            const std::string name = ToUtf8(ToString(First(args)));
            const bool overwrite = args.size() > 1 ? ToBool(args[1]) : true;
            const bool unicode = args.size() > 2 && ToBool(args[2]);
            return Value::Obj(CreateStream(m_rules, m_path + "/" + name, overwrite, unicode).Get());
        }
        case IsRootFolder: return Value::Boolean(fs::path(m_path) == fs::path(m_path).root_path());
        case Attributes: return Value::Long(m_folder ? 16 : 32);
        case TypeProp: return Value::Str(m_folder ? u"File folder" : u"File");
        case Drive: return Value::Str(u"");
        default: ThrowError(Err::NoSuchMember);
        }
    }

private:
    Rules m_rules;
    std::string m_path;
    bool m_folder;
};

Value MakeFolder(const Rules& rules, const std::string& path) {
    return Value::Obj(new FileItem(rules, path, true));
}
Value MakeFile(const Rules& rules, const std::string& path) {
    return Value::Obj(new FileItem(rules, path, false));
}

// ---------------------------------------------------------------------------------------------
// FileSystemObject

class FileSystemObject : public Object {
public:
    explicit FileSystemObject(Rules rules) : m_rules(std::move(rules)) {}
    std::u16string TypeName() const override { return u"FileSystemObject"; }

    enum Id { // from 1: the FileSystemObject has no default member
        FileExists = 1,
        FolderExists,
        DriveExists,
        CreateFolder,
        DeleteFile,
        DeleteFolder,
        CopyFile,
        MoveFile,
        CopyFolder,
        MoveFolder,
        GetFile,
        GetFolder,
        OpenTextFile,
        CreateTextFile,
        GetFileName,
        GetBaseName,
        GetExtensionName,
        GetParentFolderName,
        GetAbsolutePathName,
        BuildPath,
        GetTempName,
        GetDriveName,
        GetSpecialFolder
    };
    int FindMember(std::string_view name) override {
        static const std::unordered_map<std::string_view, int> ids = {
            {"fileexists", FileExists},
            {"folderexists", FolderExists},
            {"driveexists", DriveExists},
            {"createfolder", CreateFolder},
            {"deletefile", DeleteFile},
            {"deletefolder", DeleteFolder},
            {"copyfile", CopyFile},
            {"movefile", MoveFile},
            {"copyfolder", CopyFolder},
            {"movefolder", MoveFolder},
            {"getfile", GetFile},
            {"getfolder", GetFolder},
            {"opentextfile", OpenTextFile},
            {"createtextfile", CreateTextFile},
            {"getfilename", GetFileName},
            {"getbasename", GetBaseName},
            {"getextensionname", GetExtensionName},
            {"getparentfoldername", GetParentFolderName},
            {"getabsolutepathname", GetAbsolutePathName},
            {"buildpath", BuildPath},
            {"gettempname", GetTempName},
            {"getdrivename", GetDriveName},
            {"getspecialfolder", GetSpecialFolder}};
        auto it = ids.find(name);
        return it == ids.end() ? kNoMember : it->second;
    }

    Value Invoke(int member, InvokeKind kind, std::span<Value> args) override {
        if (kind != InvokeKind::Get) ThrowError(Err::NoSuchMember);
        auto need = [&](size_t lo, size_t hi) {
            if (args.size() < lo || args.size() > hi) ThrowError(Err::WrongArgCount);
        };
        std::error_code ec;
        switch (member) {
        case FileExists: {
            need(1, 1);
            auto real = Visible(m_rules, PathArg(m_rules, args, 0));
            return Value::Boolean(real && fs::is_regular_file(*real, ec));
        }
        case FolderExists: {
            need(1, 1);
            auto real = Visible(m_rules, PathArg(m_rules, args, 0));
            return Value::Boolean(real && fs::is_directory(*real, ec));
        }
        case DriveExists: need(1, 1); return Value::Boolean(false);
        case CreateFolder: {
            need(1, 1);
            const std::string path = PathArg(m_rules, args, 0);
            if (Existing(m_rules, path)) ThrowError(Err::FileAlreadyExists);
            const std::string target = ForWriting(m_rules, path);
            if (!fs::create_directory(target, ec) || ec) ThrowError(Err::PathNotFound);
            Forget(target);
            return MakeFolder(m_rules, target);
        }
        case DeleteFile:
        case DeleteFolder: {
            need(1, 2);
            for (const std::string& real :
                 Sources(m_rules, PathArg(m_rules, args, 0), member == DeleteFolder)) {
                fs::remove_all(real, ec);
                if (ec) ThrowError(Err::PermissionDenied);
                Forget(real);
            }
            return {};
        }
        case CopyFile:
        case MoveFile:
        case CopyFolder:
        case MoveFolder: {
            need(2, 3);
            const bool folder = member == CopyFolder || member == MoveFolder;
            const std::string source = PathArg(m_rules, args, 0);
            const std::vector<std::string> sources = Sources(m_rules, source, folder);
            const std::string dest = PathArg(m_rules, args, 1);
            // With a wildcard or a final separator the destination is a folder that must exist.
            const bool intoFolder = HasWildcards(source) || EndsWithSeparator(dest);
            if (intoFolder) {
                auto real = Existing(m_rules, dest);
                if (!real || !fs::is_directory(*real)) ThrowError(Err::PathNotFound);
            }
            const bool overwrite = args.size() < 3 || ToBool(args[2]);
            for (const std::string& real : sources) {
                std::string target = ForWriting(m_rules, dest);
                if (intoFolder) target = (fs::path(target) / fs::path(real).filename()).string();
                Transfer(m_rules, real, target, member == CopyFile || member == CopyFolder,
                         overwrite);
            }
            return {};
        }
        case GetFile: {
            need(1, 1);
            auto real = Existing(m_rules, PathArg(m_rules, args, 0));
            if (!real || fs::is_directory(*real)) ThrowError(Err::FileNotFound);
            return MakeFile(m_rules, *real);
        }
        case GetFolder: {
            need(1, 1);
            auto real = Existing(m_rules, PathArg(m_rules, args, 0));
            if (!real || !fs::is_directory(*real)) ThrowError(Err::PathNotFound);
            return MakeFolder(m_rules, *real);
        }
        case OpenTextFile: {
            need(1, 4);
            const int mode = args.size() > 1 && !args[1].Deref().IsMissing() ? ToLong(args[1]) : 1;
            const bool create = args.size() > 2 && !args[2].Deref().IsMissing() && ToBool(args[2]);
            const bool unicode =
                args.size() > 3 && !args[3].Deref().IsMissing() && ToLong(args[3]) == -1;
            return Value::Obj(OpenStream(m_rules, PathArg(m_rules, args, 0), mode, create, unicode).Get());
        }
        case CreateTextFile: {
            need(1, 3);
            const bool overwrite =
                args.size() > 1 && !args[1].Deref().IsMissing() ? ToBool(args[1]) : true;
            const bool unicode = args.size() > 2 && !args[2].Deref().IsMissing() && ToBool(args[2]);
            return Value::Obj(CreateStream(m_rules, PathArg(m_rules, args, 0), overwrite, unicode).Get());
        }
        case GetFileName: need(1, 1); return Value::Str(NamePart(ToString(args[0])));
        case GetBaseName:
        case GetExtensionName: {
            need(1, 1);
            const std::u16string name = NamePart(ToString(args[0]));
            const size_t dot = name.rfind('.');
            if (member == GetBaseName)
                return Value::Str(dot == std::u16string::npos ? name : name.substr(0, dot));
            return Value::Str(dot == std::u16string::npos ? u"" : name.substr(dot + 1));
        }
        case GetParentFolderName: {
            need(1, 1);
            std::u16string path = ToString(args[0]);
            while (!path.empty() && (path.back() == '\\' || path.back() == '/'))
                path.pop_back();
            const size_t cut = path.find_last_of(u"\\/");
            if (cut == std::u16string::npos) return Value::Str(u"");
            std::u16string parent = path.substr(0, cut);
            if (parent.empty() || (parent.size() == 2 && parent[1] == ':'))
                parent = path.substr(0, cut + 1);
            return Value::Str(parent);
        }
        case GetAbsolutePathName: {
            need(1, 1);
            const std::string path = Native(PathArg(m_rules, args, 0));
            std::string full = fs::absolute(path.empty() ? "." : path, ec).lexically_normal();
            if (full.size() > 1 && full.back() == '/') full.pop_back();
            return Value::FromUtf8(full);
        }
        case BuildPath: {
            need(2, 2);
            std::u16string path = ToString(args[0]);
            const std::u16string name = ToString(args[1]);
            if (!path.empty() && path.back() != '\\' && path.back() != '/' && path.back() != ':')
                path += u"\\";
            return Value::Str(path + name);
        }
        case GetTempName: {
            need(0, 0);
            // Random, as in Windows: scripts running side by side must not pick the same name.
            static std::mt19937 random{std::random_device{}()};
            char buf[32];
            std::snprintf(buf, sizeof buf, "rad%05X.tmp",
                          static_cast<unsigned>(random() & 0xFFFFF));
            return Value::Str(Ascii(buf));
        }
        case GetDriveName: {
            need(1, 1);
            const std::u16string path = ToString(args[0]);
            if (path.size() >= 2 && path[1] == ':') return Value::Str(path.substr(0, 2));
            return Value::Str(u"");
        }
        case GetSpecialFolder: {
            need(1, 1);
            const int32_t which = ToLong(args[0]);
            if (which < 0 || which > 2) ThrowError(Err::InvalidCall);
            const std::string folder =
                which == 2 ? fs::temp_directory_path(ec).string() : std::string("/");
            Check(m_rules, folder);
            return MakeFolder(m_rules, folder);
        }
        default: ThrowError(Err::NoSuchMember);
        }
    }

private:
    Rules m_rules;
};

} // namespace

ObjectRef MakeFileSystemObject(std::shared_ptr<const FileConfinement> rules) {
    if (!rules) rules = std::make_shared<const FileConfinement>();
    return ObjectRef(new FileSystemObject(std::move(rules)));
}

} // namespace quillora::vbs
