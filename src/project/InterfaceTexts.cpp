// The interface text table, its two built-in wordings and the texts file.
#include "project/InterfaceTexts.h"

#include "core/ClassicError.h"
#include "core/Cp1252.h"
#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "project/ProjectPaths.h"

#include <cmath>

namespace quillora {
namespace {

struct Wording {
    int entry;
    const char* program;
    const char* game; // nullptr: same as the program wording
};

constexpr Wording kWordings[] = {
    {1, "Start", "Start New Game"},
    {2, "  Load...", "Load Game..."},
    {3, "Exit", nullptr},
    {4, "Created By:", nullptr},
    {5, "E-mail:", nullptr},
    {6, "Web site:", nullptr},
    {7, "Change display resolution to", nullptr},
    {8, "  Save...", "Save Game..."},
    {9, "Please select something.", nullptr},
    {10, "Do you really want to quit?", nullptr},
    {11, "Cancel", nullptr},
    {12, "Exit", nullptr},
    {13, "Do you want to open the default mail client to send an e-mail to:", nullptr},
    {14, "Do you want to visit", nullptr},
    {15, "(You must be connected to the Internet)", nullptr},
    {16, "", nullptr},
    {17, "Load", "Load a previously saved game"},
    {18, "Select the file you wish to load and click 'LOAD'",
     "Select the game you wish to load and click 'LOAD'"},
    {19, "LOAD", nullptr},
    {20, "", nullptr},
    {21, "Save", "Save the current game"},
    {22, "Remove Selected", nullptr},
    {23, "Enter the name of the file you want to save",
     "Enter the name of the game you want to save"},
    {24, "already exists. Do you want to replace it?", nullptr},
    {25, "SAVE", nullptr},
    {26, "Remove Saved File", "Remove Saved Game"},
    {27, "Do you really want to remove", nullptr},
    {28, "", nullptr},
    {29, "Error", nullptr},
    {30,
     "An error has occurred. The program may not work properly. Press 'Esc' and the click "
     "'Exit' to quit.",
     "An error has occurred. The game may not work properly. Press 'Esc' and the click 'Exit' "
     "to quit."},
    {31, "Error description:", nullptr},
    {32, "Do you want to continue anyway? (not recommended)", nullptr},
    {33, "The following file is missing:", nullptr},
    {34,
     "This file may have been moved or removed from its original location. The program may not "
     "work properly until the missing file is placed back in its original location. Press "
     "'Esc' and the click 'Exit' to quit.",
     "This file may have been moved or removed from its original location. The game may not "
     "work properly until the missing file is placed back in its original location. Press "
     "'Esc' and the click 'Exit' to quit."},
    {35, "Please do not use any of the following characters:", nullptr},
    {36, "Please insert the CD in the CD-Rom drive and then click 'OK'.",
     "Please insert the CD in the CD-ROM drive and then click 'OK'."},
    {37, "CD-Rom drive:", "CD-ROM Drive:"},
    {38,
     "The selected device is unavailable. Make sure that the CD-Rom drive letter is right and "
     "that the disk is properly inserted, and then try again.",
     "The selected device is unavailable. Make sure that the CD-ROM drive letter is right and "
     "that the disk is properly inserted, and then try again."},
    {39, "", nullptr},
    {40,
     "Warning! Your system is set to use large fonts. This program will NOT work properly if "
     "you don't change this setting. Do you want to continue anyway? (not recommended)",
     nullptr},
    {41,
     "To fix the problem, go to the 'Control Panel' (from the 'Settings' menu of the Start "
     "Menu), double-click 'Display', click the 'Settings' tab, click 'Advanced...', select "
     "'Small Fonts' under 'Font size', click 'OK', and then restart your computer.",
     nullptr},
    {42, "", nullptr},
    {43, "The following folder is missing:", nullptr},
    {44, "Make sure that the disk is properly inserted, and then try again.", nullptr},
    {45, "File Not Found:", nullptr},
    {46, "The file may be missing, or you may have inserted the wrong CD.", nullptr},
    {47, "Please insert the CD#", nullptr},
    {48, "in the CD-Rom drive and click OK to continue...", nullptr},
    {49, "Options", nullptr},
    {50, "Disable Transitions", nullptr},
    {51, "Disable Real-Time Effects", nullptr},
};

// A texts-file value as a table entry: quoted text as it stands, Booleans as True/False,
// numbers in their plain form.
std::string EntryText(const RawValue& value) {
    if (!value.quoted) {
        if (EqualsNoCase(value.bytes, "#TRUE#")) return "True";
        if (EqualsNoCase(value.bytes, "#FALSE#")) return "False";
    }
    return Cp1252ToUtf8(value.bytes);
}

// A texts-file value used as a number; "Type mismatch" when it is none.
double NumberOf(const RawValue& value) {
    if (value.bytes.empty() && !value.quoted) return 0;
    double number = 0;
    if (!ParseClassicNumber(value.bytes, number)) throw ClassicError(ErrorCode::TypeMismatch);
    return number;
}

} // namespace

InterfaceTexts& Texts() {
    static InterfaceTexts texts;
    return texts;
}

const std::string& Text(int n) {
    static const std::string empty;
    return n >= 0 && n < kInterfaceTextCount ? Texts()[n] : empty;
}

void SetDefaultTexts(bool gameWording) {
    for (const Wording& w : kWordings) {
        Texts()[w.entry] = gameWording && w.game ? w.game : w.program;
    }
}

void LoadInterfaceTexts() {
    const std::string path = Paths().Config + "Texts";
    if (!PathLookup::Instance().FileExists(path)) {
        SetDefaultTexts(false);
        return;
    }
    try {
        ValueListReader in = ValueListReader::Open(path);
        const double mode = NumberOf(in.ReadRaw());
        if (mode == 0) {
            SetDefaultTexts(false);
        } else if (mode == 1) {
            SetDefaultTexts(true);
        } else if (mode == 2) {
            SetDefaultTexts(false);
            for (int i = 0; i < 5; ++i)
                in.Skip();
            const int32_t count = ToInt32(NumberOf(in.ReadRaw()));
            for (int32_t i = 1; i <= count; ++i) {
                if (i >= kInterfaceTextCount) throw ClassicError(ErrorCode::SubscriptOutOfRange);
                Texts()[i] = EntryText(in.ReadRaw());
            }
        }
    } catch (const ClassicError& error) {
        Prompts().MessageBox("Unable to load text." + DetailLines(error), BoxStyle::Critical,
                             "Error");
        SetDefaultTexts(false);
    }
}

} // namespace quillora
