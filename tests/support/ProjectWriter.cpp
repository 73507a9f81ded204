// Writing project folders for tests.
#include "ProjectWriter.h"

#include "core/Cp1252.h"
#include "core/ValueListWriter.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>

#include <fstream>
#include <stdexcept>

namespace quillora::test {

FileValue FileValue::Raw(std::string text) {
    FileValue value{std::string()};
    value.raw = true;
    value.rawText = std::move(text);
    return value;
}

FileValues GeneralFields() {
    return {"TestProject", "", "Test Adventure", 0, "Start", "Version 2.5", 640, 480, "An Author",
            "author@example.org", "https://example.org/",
            // fields 12 to 22
            0, 0, 0, 0, "", 0, 0, 0, false, false, 0,
            // fields 23 to 38
            "", 0, 10, 10, true, true, true, true, true, false, "DEFAULT", "DEFAULT", 0, 0, 0,
            "DEFAULT",
            // fields 39 to 55
            0, 0, false, 0, false, false, 0, false, false, false, 0, 0, 0, false, "", false, ""};
}

FileValues FrameFileValues(const FrameSpec& f) {
    FileValues v = {f.BackgroundKind,
                    f.Background,
                    f.Tile,
                    f.StopMusic,
                    f.Music,
                    f.AutoJump,
                    f.AutoJumpDelay,
                    f.AutoJumpFrame,
                    f.Video,
                    0,
                    f.StopAllSounds,
                    f.StopFrameSound,
                    f.FrameSound,
                    0,
                    0,
                    0,
                    f.VideoAtOrigin,
                    f.VideoAtPosition,
                    f.VideoLeft,
                    f.VideoTop,
                    f.VideoWidth,
                    f.VideoHeight,
                    f.LoopMusic,
                    f.AutoJumpTransition,
                    f.AutoJumpTransitionDuration,
                    f.AutoJumpTransitionNumber,
                    f.RunFrameScript,
                    f.FrameScript,
                    0,
                    0,
                    0,
                    0,
                    0,
                    0,
                    f.ChannelFadeDuration,
                    0,
                    f.RowWidth,
                    f.RowWidth > 0 ? static_cast<int>(f.ChannelRows.size()) / f.RowWidth : 0};
    v.insert(v.end(), f.ChannelRows.begin(), f.ChannelRows.end());
    v.push_back(f.VideoFirst);
    return v;
}

FileValues HotspotSectionValues(const HotspotSpec& h) {
    FileValues v = {
        0,         h.Number,  0,         0,           0,       0,        0,          0,
        0,         0,         h.Left,    h.Top,       h.Width, h.Height, h.Animated, h.HasPicture,
        h.Picture, h.Stretch, h.Pointer, h.Conditions};
    v.push_back(static_cast<int>(h.MustBeOne.size()));
    for (const std::string& name : h.MustBeOne)
        v.push_back(name);
    v.push_back(static_cast<int>(h.MustBeZero.size()));
    for (const std::string& name : h.MustBeZero)
        v.push_back(name);
    if (h.WithSpeed) {
        v.push_back(h.Speed);
        if (h.WithVideoBlock) {
            FileValues block = {
                h.Video, h.VideoFile, h.VideoSized, h.VideoVolume, 0, 0, h.Rate, h.PlayCount, 0, 0};
            v.insert(v.end(), block.begin(), block.end());
        }
    }
    return v;
}

FileValues TextSectionValues(const TextSpec& t) {
    return {0,           t.Number,  0,      0,     0,      0,        0,      0,      0,
            0,           t.Caption, t.Left, t.Top, t.Bold, t.Italic, t.Font, t.Size, t.Strikethru,
            t.Underline, t.Color};
}

FileValues ActionSectionValues(const ActionSpec& a) {
    FileValues v = {0,
                    a.Key.empty() ? FileValue(0) : FileValue(a.Key),
                    0,
                    0,
                    0,
                    0,
                    0,
                    0,
                    0,
                    0,
                    a.ChangeSwitch,
                    a.Variable,
                    a.SetZero,
                    a.SetOne,
                    a.Toggle,
                    a.ShowMessage,
                    a.Message,
                    0,
                    "",
                    a.Disappear,
                    a.Quit,
                    a.GoToFrame,
                    a.Frame};
    const auto through = [&](int last) { return a.Through >= last; };
    if (through(33)) {
        v.insert(v.end(),
                 {a.StopHotspotSound, a.StopAllSounds, a.PlayMovie, a.Movie, a.MovieAtOrigin,
                  a.MovieAtPosition, a.MovieLeft, a.MovieTop, a.MovieWidth, a.MovieHeight});
    }
    if (through(38)) {
        v.insert(v.end(), {a.StopSecondSound, a.PlayHotspotSound, a.HotspotSound, a.PlaySecondSound,
                           a.SecondSound});
    }
    if (through(42)) v.insert(v.end(), {0, 0, 0, a.GoBack});
    if (through(46)) v.insert(v.end(), {0, 0, 0, a.InBar});
    if (through(53)) {
        v.insert(v.end(), {0, 0, 0, a.ListSwitch});
        for (const auto* list : {&a.ListZero, &a.ListOne, &a.ListToggle}) {
            v.push_back(static_cast<int>(list->size()));
            for (const std::string& name : *list)
                v.push_back(name);
        }
    }
    if (through(54)) v.push_back(a.LoopSound);
    if (through(56)) v.insert(v.end(), {a.UseTransition, a.TransitionMs});
    if (through(58)) v.insert(v.end(), {a.RunScript, a.Script});
    if (through(59)) v.push_back(a.TransitionNumber);
    if (through(70)) {
        v.insert(v.end(),
                 {0, 0, 0, 0, 0, 0, a.FadeMs, 0, a.RowWidth,
                  a.RowWidth > 0 ? static_cast<int>(a.ChannelRows.size()) / a.RowWidth : 0});
        v.insert(v.end(), a.ChannelRows.begin(), a.ChannelRows.end());
    }
    if (through(72)) v.insert(v.end(), {a.AddItem, a.Item});
    return v;
}

ProjectWriter::ProjectWriter() : m_root(m_folder.Path()) {}

ProjectWriter::ProjectWriter(std::string root) : m_root(std::move(root)) {
    if (m_root.empty() || m_root.back() != '/') m_root += '/';
}

void ProjectWriter::WriteBytes(const std::string& relative, const std::string& bytes) {
    std::string path = m_root + relative;
    for (char& c : path) {
        if (c == '\\') c = '/';
    }
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out) throw std::runtime_error("cannot write " + path);
    out << bytes;
}

std::string ProjectWriter::Format(const FileValues& values, const std::string& separator) {
    std::string text;
    for (size_t i = 0; i < values.size(); ++i) {
        if (i > 0) text += separator;
        if (values[i].raw) {
            text += values[i].rawText;
        } else {
            ValueListWriter writer;
            writer.WriteValue(values[i].value);
            std::string line = writer.Bytes();
            line.resize(line.size() - 2); // drop the CR LF
            text += line;
        }
    }
    return text + "\r\n";
}

void ProjectWriter::WriteValues(const std::string& relative, const FileValues& values,
                                const std::string& separator) {
    WriteBytes(relative, Format(values, separator));
}

void ProjectWriter::WriteGeneral(const FileValues& fields) {
    WriteValues("Config/General", fields);
}

void ProjectWriter::WritePicture(const std::string& relative, int width, int height,
                                 QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    WriteImage(relative, image);
}

void ProjectWriter::WriteImage(const std::string& relative, const QImage& image,
                               const char* format) {
    const std::string path = m_root + relative;
    QDir().mkpath(QFileInfo(QString::fromStdString(path)).absolutePath());
    if (!image.save(QString::fromStdString(path), format))
        throw std::runtime_error("cannot write " + path);
}

void ProjectWriter::WriteWaterEffect(const std::string& frame, const WaterSpec& water) {
    FileValues values = {
        0,          0, 0, 0, 0, 0, water.Left, water.Top, water.Width, water.Height, water.Strength,
        water.Speed};
    if (water.WithReverse) values.push_back(water.Reverse);
    WriteValues("Frames/" + frame + ".rwe", values);
}

void ProjectWriter::WriteWaterMask(const std::string& frame, const QImage& mask) {
    // The loader tells the format by the content, whatever the name says.
    WriteImage("Frames/" + frame + ".rwm", mask, "BMP");
}

} // namespace quillora::test

namespace quillora::test {

void ProjectWriter::WriteCursor(const std::string& relative, const QImage& picture, int hotX,
                                int hotY) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    QByteArray dib;
    auto put16 = [&](QByteArray& b, int v) {
        b.append(char(v & 0xFF)).append(char((v >> 8) & 0xFF));
    };
    auto put32 = [&](QByteArray& b, quint32 v) {
        for (int i = 0; i < 4; ++i)
            b.append(char((v >> (8 * i)) & 0xFF));
    };
    // BITMAPINFOHEADER; the height counts the colour image and the mask.
    put32(dib, 40);
    put32(dib, w);
    put32(dib, h * 2);
    put16(dib, 1);
    put16(dib, 32);
    for (int i = 0; i < 6; ++i)
        put32(dib, 0);
    for (int y = h - 1; y >= 0; --y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            put32(dib, line[x]);
    }
    const int maskStride = ((w + 31) / 32) * 4;
    for (int y = h - 1; y >= 0; --y) {
        QByteArray row(maskStride, 0);
        for (int x = 0; x < w; ++x) {
            if (qAlpha(image.pixel(x, y)) == 0) row[x / 8] = char(row[x / 8] | (0x80 >> (x % 8)));
        }
        dib.append(row);
    }
    QByteArray file;
    put16(file, 0);
    put16(file, 2); // cursor
    put16(file, 1);
    file.append(char(w)).append(char(h)).append(char(0)).append(char(0));
    put16(file, hotX);
    put16(file, hotY);
    put32(file, static_cast<quint32>(dib.size()));
    put32(file, 22);
    file.append(dib);
    WriteBytes(relative, file.toStdString());
}

void ProjectWriter::WriteFrame(const std::string& name, const FrameSpec& frame) {
    WriteValues("Frames/" + name + ".fme", FrameFileValues(frame));
}

void ProjectWriter::WriteSections(const std::string& relative,
                                  const std::vector<FileValues>& sections) {
    FileValues all;
    for (const FileValues& section : sections) {
        all.insert(all.end(), section.begin(), section.end());
        all.push_back(kSeparator);
    }
    WriteValues(relative, all);
}

void ProjectWriter::WriteHotspots(const std::string& frame,
                                  const std::vector<HotspotSpec>& hotspots, bool merged) {
    std::vector<FileValues> sections;
    for (const HotspotSpec& h : hotspots)
        sections.push_back(HotspotSectionValues(h));
    WriteSections("FramesData/" + frame + (merged ? ".mr2" : ".fm2"), sections);
}

void ProjectWriter::WriteTexts(const std::string& frame, const std::vector<TextSpec>& texts,
                               bool merged) {
    std::vector<FileValues> sections;
    for (const TextSpec& t : texts)
        sections.push_back(TextSectionValues(t));
    WriteSections("FramesData/" + frame + (merged ? ".mr1" : ".fm1"), sections);
}

void ProjectWriter::WriteActions(const std::string& frame, const std::vector<ActionSpec>& actions,
                                 bool merged) {
    std::vector<FileValues> sections;
    for (const ActionSpec& a : actions)
        sections.push_back(ActionSectionValues(a));
    WriteSections("FramesData/" + frame + (merged ? ".mr3" : ".fm3"), sections);
}

void ProjectWriter::WriteDropActions(const std::string& frame,
                                     const std::vector<ActionSpec>& actions) {
    std::vector<FileValues> sections;
    for (const ActionSpec& a : actions)
        sections.push_back(ActionSectionValues(a));
    WriteSections("FramesData/" + frame + ".fm0", sections);
}

FileValues DialogueValues(const std::vector<QuestionSpec>& questions) {
    FileValues v = {1, 2, 3, "wizard", "v1", 0, 0, 0, 0, 0, 0, static_cast<int>(questions.size())};
    for (const QuestionSpec& q : questions) {
        for (const FileValue& value :
             FileValues{q.Text, q.Answer, q.First, q.Second, q.Third, q.Id, q.Visible, q.Ends,
                        q.FirstAction, q.SecondAction, q.ThirdAction, static_cast<int>(q.Show.size())})
            v.push_back(value);
        for (int id : q.Show)
            v.push_back(id);
        v.push_back(static_cast<int>(q.Hide.size()));
        for (int id : q.Hide)
            v.push_back(id);
        for (const FileValue& value : FileValues{q.AnswerTime, 0, 0, 0, q.UseAnswerTime, 0})
            v.push_back(value);
    }
    return v;
}

void ProjectWriter::WriteDialogue(const std::string& frame,
                                  const std::vector<QuestionSpec>& questions) {
    WriteValues("FramesData/" + frame + ".dlg", DialogueValues(questions));
}

void ProjectWriter::WritePickups(const std::string& frame,
                                 const std::vector<std::pair<int, std::string>>& pickups) {
    std::vector<FileValues> sections;
    for (const auto& [hotspot, item] : pickups) {
        FileValues v = {0, hotspot, 0, 0, 0, 0, 0, 0, 0, 0};
        if (item.empty()) {
            v.push_back(0);
        } else {
            v.push_back(1);
            v.push_back(item);
        }
        sections.push_back(v);
    }
    WriteSections("FramesData/" + frame + ".fm4", sections);
}

void ProjectWriter::WriteItem(const std::string& name, const std::string& icon, QColor colour) {
    QImage picture(32, 32, QImage::Format_ARGB32);
    picture.fill(colour);
    WriteItem(name, icon, picture);
}

void ProjectWriter::WriteItem(const std::string& name, const std::string& icon,
                              const QImage& picture) {
    WriteValues("Areas/" + name + ".obj", {icon});
    if (icon.empty()) return;
    WriteCursor("Areas/" + icon, picture, 16, 16);
    // An icon file differs from a pointer file only in its type number.
    std::string bytes;
    {
        std::ifstream in(m_root + "Areas/" + icon, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bytes[2] = 1;
    WriteBytes("Areas/" + icon, bytes);
}

void ProjectWriter::WriteCombination(const std::string& a, const std::string& b,
                                     const FileValues& values) {
    WriteValues("Areas/" + a + "_on_" + b + ".drg", values);
}

void ProjectWriter::WriteVariables(const std::vector<std::string>& integers,
                                   const std::vector<std::string>& variants) {
    FileValues values = {0};
    for (const std::string& name : integers)
        values.push_back(name);
    values.push_back("***");
    for (const std::string& name : variants)
        values.push_back(name);
    WriteValues("Config/Variables", values);
}

std::string ScrambleLine(const std::string& text, int32_t key, int shift) {
    if (text.empty()) return "";
    static constexpr std::string_view kLetters = "wqzumplarvyhsbtcginxk";
    std::string result(text.size() + 1, ' ');
    result[0] = static_cast<char>(shift + 32);
    const size_t n = text.size();
    for (size_t i = 0; i < n; ++i) {
        const auto code = static_cast<unsigned char>(text[i]);
        char out = text[i];
        if (code >= 32 && code <= 126) {
            const int64_t m = int64_t{key} + int64_t(i + static_cast<size_t>(shift)) *
                                                 (kLetters[i % kLetters.size()] - 32);
            const int64_t r = ((code - 32 + m) % 94 + 94) % 94;
            out = static_cast<char>(r + 32);
        }
        result[n - i] = out; // stored backwards after the shift character
    }
    return result;
}

void ProjectWriter::WriteProcedures(const std::vector<std::string>& lines, bool scrambled,
                                    const std::string& projectName) {
    int32_t key = 0;
    for (const unsigned char c : Utf8ToCp1252(projectName))
        key += c;
    std::string text = "Procedures\r\nVersion 1\r\n\r\n";
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text += "\r\n";
        text += scrambled ? ScrambleLine(Utf8ToCp1252(lines[i]), key) : Utf8ToCp1252(lines[i]);
    }
    WriteBytes("Config/Procedures", text);
}

} // namespace quillora::test
