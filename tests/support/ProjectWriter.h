// The shared test helper that writes project folders: value-list files, text files, pictures.
#pragma once

#include "TempFolder.h"
#include "core/ListValue.h"

#include <QColor>
#include <QImage>

#include <cstdint>
#include <string>
#include <vector>

namespace quillora::test {

inline const char* const kSeparator = "----- SEPARATOR -----";

// One value of a value-list file as the test wants it written: a typed value in its Write #
// form, or raw text exactly as it should stand in the file.
struct FileValue {
    FileValue() = default;
    FileValue(const char* text) : value(std::string(text)) {}
    FileValue(std::string text) : value(std::move(text)) {}
    FileValue(int number) : value(static_cast<int32_t>(number)) {}
    FileValue(double number) : value(number) {}
    FileValue(bool flag) : value(flag) {}
    static FileValue Raw(std::string text);
    static FileValue Empty() { return Raw(""); }

    ListValue value;
    bool raw = false;
    std::string rawText{};
};

using FileValues = std::vector<FileValue>;

// The 55 values of a complete Config/General file with the demo-like settings below, so that
// tests change only what they look at (index = field number - 1).
FileValues GeneralFields();

// The values of a frame file (<frame>.fme), every group written; tests cut the list to test
// older files. Channel rows are five values each.
struct FrameSpec {
    int BackgroundKind = 0;
    std::string Background = "0";
    bool Tile = false;
    bool StopMusic = false;
    std::string Music{};
    bool AutoJump = false;
    double AutoJumpDelay = 0;
    std::string AutoJumpFrame{};
    std::string Video{};
    bool StopAllSounds = false;
    bool StopFrameSound = false;
    std::string FrameSound{};
    bool VideoAtOrigin = false;
    bool VideoAtPosition = false;
    int VideoLeft = 0, VideoTop = 0, VideoWidth = 0, VideoHeight = 0;
    bool LoopMusic = true;
    bool AutoJumpTransition = false;
    int AutoJumpTransitionDuration = 0;
    int AutoJumpTransitionNumber = 0;
    bool RunFrameScript = false;
    std::string FrameScript{};
    double ChannelFadeDuration = 0;
    int RowWidth = 5;
    FileValues ChannelRows{}; // RowWidth values per row
    bool VideoFirst = false;
};
FileValues FrameFileValues(const FrameSpec& frame);

// One hotspot section of a hotspot file (<frame>.fm2 / .mr2); rectangle in twips as the
// editor writes it (30 twips outside the clickable element).
struct HotspotSpec {
    int Number = 1;
    double Left = 0, Top = 0, Width = 600, Height = 600;
    double Animated = 0;
    bool HasPicture = false;
    std::string Picture{};
    int Stretch = 0;
    std::string Pointer{};
    bool Conditions = false;
    std::vector<std::string> MustBeOne{};
    std::vector<std::string> MustBeZero{};
    bool WithSpeed = true; // value 23 present
    double Speed = 0;
    bool WithVideoBlock = true; // values 24-33 present
    bool Video = false;
    std::string VideoFile{};
    int VideoSized = 0;
    double VideoVolume = 10;
    double Rate = 1;
    double PlayCount = 0;
};
FileValues HotspotSectionValues(const HotspotSpec& hotspot);

// One text section of a text file (<frame>.fm1 / .mr1).
struct TextSpec {
    int Number = 1;
    std::string Caption = "Text";
    int Left = 0, Top = 0;
    bool Bold = false, Italic = false;
    std::string Font = "Arial";
    double Size = 12;
    bool Strikethru = false, Underline = false;
    int Color = 0;
};
FileValues TextSectionValues(const TextSpec& text);

// One action section (<frame>.fm3 / .mr3 / .fm0): values 11 to Through are written (the first
// ten are editor data; value 2 is the drop key in .fm0 files).
struct ActionSpec {
    std::string Key{};                                    // value 2 of a drop action ("3_key.drg")
    int ChangeSwitch = 0;                                 // 11
    std::string Variable{};                               // 12
    bool SetZero = false, SetOne = false, Toggle = false; // 13-15
    bool ShowMessage = false;                             // 16
    std::string Message{};                                // 17
    bool Disappear = false;                               // 20
    bool Quit = false;                                    // 21
    int GoToFrame = 0;                                    // 22
    std::string Frame{};                                  // 23
    int StopHotspotSound = 0, StopAllSounds = 0, PlayMovie = 0;       // 24-26
    std::string Movie{};                                              // 27
    bool MovieAtOrigin = false, MovieAtPosition = false;              // 28-29
    int MovieLeft = 0, MovieTop = 0, MovieWidth = 0, MovieHeight = 0; // 30-33
    bool StopSecondSound = false, PlayHotspotSound = false;           // 34-35
    std::string HotspotSound{};                                       // 36
    bool PlaySecondSound = false;                                     // 37
    std::string SecondSound{};                                        // 38
    bool GoBack = false;                                              // 42
    bool InBar = true;                                                // 46
    int ListSwitch = 0;                                               // 50
    std::vector<std::string> ListZero{}, ListOne{}, ListToggle{};     // 51-53
    bool LoopSound = true;                                            // 54
    int UseTransition = 0;                                            // 55
    double TransitionMs = 0;                                          // 56
    bool RunScript = false;                                           // 57
    std::string Script{};                                             // 58
    int TransitionNumber = 0;                                         // 59
    double FadeMs = 0;                                                // 66
    int RowWidth = 5;                                                 // 68
    FileValues ChannelRows{};                                         // 70: RowWidth values per row
    bool AddItem = false;                                             // 71
    std::string Item{};                                               // 72
    int Through = 72; // last value written: 23, 33, 38, 42, 46, 53, 54, 56, 58, 59, 70 or 72
};
FileValues ActionSectionValues(const ActionSpec& action);

// The rippling-water effect file of a frame (<frame>.rwe): the rectangle in frame pixels, the
// strength and speed, and the reverse flag unless left out.
struct WaterSpec {
    FileValue Left = 0, Top = 0, Width = 100, Height = 50;
    FileValue Strength = 12, Speed = 8;
    bool WithReverse = true;
    bool Reverse = false;
};

// One question of a frame dialogue (<frame>.dlg); scripts use "|" for a double quote, as the
// editor stores them.
struct QuestionSpec {
    std::string Text = "Who are you?";
    std::string Answer{};
    std::string First{}, Second{}, Third{};
    int Id = 1;
    bool Visible = true;
    bool Ends = false;
    int FirstAction = 0, SecondAction = 0, ThirdAction = 0;
    std::vector<int> Show{}, Hide{};
    double AnswerTime = 0;
    bool UseAnswerTime = true;
};
// The values of a whole dialogue file: header, question count, the questions.
FileValues DialogueValues(const std::vector<QuestionSpec>& questions);

// Scrambles one line of the procedure library (Windows-1252 bytes) with a project's key, the
// inverse of the player's unscrambling: the shift character first, then the text backwards.
// The format carries codes 32 to 125 and anything outside 32-126; a "~" comes back as a space.
std::string ScrambleLine(const std::string& text, int32_t key, int shift = 5);

// A project folder under a temporary folder (or any folder given).
class ProjectWriter {
public:
    ProjectWriter();
    explicit ProjectWriter(std::string root);

    // The project folder, ending with "/".
    const std::string& Root() const { return m_root; }

    // Writes bytes to a file given relative to the project folder ("/" or "\" separators);
    // creates folders on the way.
    void WriteBytes(const std::string& relative, const std::string& bytes);
    // Writes values one per line (separator "\r\n"), or with another separator.
    void WriteValues(const std::string& relative, const FileValues& values,
                     const std::string& separator = "\r\n");
    // Config/General with the given fields (see GeneralFields).
    void WriteGeneral(const FileValues& fields);
    // A picture of one colour (BMP, PNG, JPG or GIF by the name's extension).
    void WritePicture(const std::string& relative, int width, int height, QColor colour);
    // A picture file of the image, in the format the name's extension says or the one given.
    void WriteImage(const std::string& relative, const QImage& image, const char* format = nullptr);
    // Frames/<frame>.rwe, and the mask picture Frames/<frame>.rwm (black marks water).
    void WriteWaterEffect(const std::string& frame, const WaterSpec& water);
    void WriteWaterMask(const std::string& frame, const QImage& mask);
    // A pointer file (.cur) with the picture (32-bit colour and a mask) and the hot spot.
    void WriteCursor(const std::string& relative, const QImage& picture, int hotX, int hotY);
    // Frames/<name>.fme
    void WriteFrame(const std::string& name, const FrameSpec& frame);
    // FramesData/<frame>.fm2, or .mr2 when merged.
    void WriteHotspots(const std::string& frame, const std::vector<HotspotSpec>& hotspots,
                       bool merged = false);
    // FramesData/<frame>.fm1, or .mr1 when merged.
    void WriteTexts(const std::string& frame, const std::vector<TextSpec>& texts,
                    bool merged = false);
    // FramesData/<frame>.fm3 (.mr3 when merged): one action per hotspot, in order.
    void WriteActions(const std::string& frame, const std::vector<ActionSpec>& actions,
                      bool merged = false);
    // FramesData/<frame>.fm0: drop actions, each with its Key.
    void WriteDropActions(const std::string& frame, const std::vector<ActionSpec>& actions);
    // FramesData/<frame>.fm4: hotspot number -> item picked up by clicking it.
    void WritePickups(const std::string& frame,
                      const std::vector<std::pair<int, std::string>>& pickups);
    // FramesData/<frame>.dlg
    void WriteDialogue(const std::string& frame, const std::vector<QuestionSpec>& questions);
    // Areas/<name>.obj naming the icon, and the icon itself (a 32x32 icon file) unless empty.
    void WriteItem(const std::string& name, const std::string& icon, QColor colour = Qt::red);
    void WriteItem(const std::string& name, const std::string& icon, const QImage& picture);
    // Areas/<a>_on_<b>.drg
    void WriteCombination(const std::string& a, const std::string& b, const FileValues& values);
    // Config/Variables: integer names, then "***" and the variant names.
    void WriteVariables(const std::vector<std::string>& integers,
                        const std::vector<std::string>& variants = {});
    // Config/Procedures: three header lines and the library's lines; scrambled with the key of
    // `projectName` when asked (More's ProcEncr must then be 1 for the player to read them).
    void WriteProcedures(const std::vector<std::string>& lines, bool scrambled = false,
                         const std::string& projectName = "TestProject");
    // Writes sections, each closed by the separator value.
    void WriteSections(const std::string& relative, const std::vector<FileValues>& sections);

    // The Write # text of a value list.
    static std::string Format(const FileValues& values, const std::string& separator);

private:
    TempFolder m_folder;
    std::string m_root{};
};

} // namespace quillora::test
