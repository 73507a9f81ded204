// Multi-CD projects: the CD index read at start-up, the drives CDs are found in, and the CD
// step of the media lookup with its prompt to insert the right CD.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillora {

class ValueListReader;

// One record of the CD index: a file of the project's Frames (kind 1) or Areas (kind 2) folder
// that lives on CD number CDNumber.
struct CDIndexRecord {
    std::string FileName;
    int16_t FolderKind = 0;
    int16_t CDNumber = 0;
};

// Reads an index file: three ignored values, the CD count, two ignored values, then records of
// file name, CD number and folder kind to the end. Records with an empty name, a CD number
// outside 1 to the count, or kind 0 are dropped. Throws ClassicError on a damaged file (a
// record cut short included).
std::vector<CDIndexRecord> ReadCDIndex(ValueListReader& in);

// Reads Config/CDContents of a project with the marker "RunFromCD.dat"; a damaged index shows
// the common error " Error loading CD index." and is dropped. Run once at start-up.
void LoadCDIndex();
// Number of index records kept (0: not a multi-CD project, or no index).
int CDIndexCount();
const std::vector<CDIndexRecord>& CDIndex();

// What the CD prompt needs of the game window, which installs itself while it exists.
class CDPromptHost {
public:
    virtual ~CDPromptHost() = default;
    virtual bool StopEverythingRaised() = 0;
    // Stops the one-time video, the transition, the automatic jump, the message timer and the
    // timed events while the prompt shows (PauseGame); the timers' states are kept for Resume.
    virtual void PauseGame() = 0;
    // Shows frmRunFromCD modally with the message and the drive (a folder) filled in. True for
    // OK (the window stored the chosen drive), false for Cancel or a closed window; Cancel
    // raises the stop-everything flag.
    virtual bool ShowRunFromCD(const std::string& message, const std::string& drive) = 0;
    // Stops the game as Action.StopEverything does (after Cancel).
    virtual void StopGame() = 0;
    // The file was found: the timers kept by PauseGame run again, and the timed events.
    virtual void ResumeGame() = 0;
};
// Without a host (no game window) no prompt can be shown: the lookup reports the missing file.
void SetCDPromptHost(CDPromptHost* host);
// Removes the host if it is the one installed (a newer game window may have replaced it).
void RemoveCDPromptHost(CDPromptHost* host);

// The CD step of the media lookup, for a file not on the hard disk: its path on a copied disc in
// the project (folders CD1, CD2, ...), or on the CD drive, prompting for the right CD when the
// index names one. The path itself for a single-folder project or a file the index lacks.
// stopped: the player cancelled the prompt, and the game was stopped.
std::string FindOnCD(const std::string& path, bool& stopped);

// The drive (a folder) stored as the setting "DriveLetter"; empty when none is stored.
std::string StoredCDDrive();
void StoreCDDrive(const std::string& folder);
// The last mounted CD or DVD volume (iso9660 or udf), empty when there is none.
std::string DetectCDDrive();
// Mount points of the iso9660 and udf volumes in a mount table (the /proc/self/mounts text).
std::vector<std::string> CDMountPoints(const std::string& mountTable);
// Those of this system.
std::vector<std::string> MountedCDVolumes();

} // namespace quillora
