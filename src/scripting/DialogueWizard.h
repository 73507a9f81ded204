// Frame dialogues: the questions a frame offers in a panel along the bottom of the frame, what
// asking one does, and the reader of their file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace quillora {

class ScriptWindow;
class SceneElement;
class ValueListReader;
struct GameSession;

// One question of a dialogue file, with its run-time flags.
struct DialogueQuestion {
    std::string Text;
    std::string Answer; // empty: no answer
    std::string FirstScript, SecondScript, ThirdScript;
    int16_t Id = 0;
    bool InitiallyVisible = false;
    bool EndsDialogue = false;
    int16_t FirstAction = 0, SecondAction = 0, ThirdAction = 0; // hotspot numbers, 0 none
    std::vector<int16_t> ShowList;
    std::vector<int16_t> HideList;
    double AnswerTime = 0; // seconds
    bool UseAnswerTime = false;
    // Run-time flags.
    bool Visible = false;
    bool Asked = false;
};

// Reads the questions of a dialogue file into `questions` (element 0 carries no question and is
// added when missing). Every count comes from the file, so nothing is reserved from it: a count
// beyond what the file holds ends at its end. Throws ClassicError on wrong value kinds or an early
// end; the questions read before the failure stay.
void ReadDialogueFile(ValueListReader& in, std::vector<DialogueQuestion>& questions);

// The dialogue of the game window (DialogueWizardModule). It belongs to the frame that loaded it
// and stays active across frame changes until it ends.
class DialogueWizard {
public:
    // Questions run through `window` (scripts, hotspot actions, the message bar) and lay out in
    // the scene's panel fmeDialogue.
    DialogueWizard(GameSession& session, ScriptWindow& window);
    DialogueWizard(const DialogueWizard&) = delete;
    DialogueWizard& operator=(const DialogueWizard&) = delete;

    // Reads "<frame>.dlg" of the current frame. Without the file: no question, nothing else.
    // A file that fails to read shows "Error loading the dialogue." and leaves the dialogue
    // inactive.
    void LoadDialogue();
    // Lays out the visible questions in the panel, or closes the dialogue when none is left.
    void RuntimeDisplayQuestions();
    // Asks the question shown by lblDialogue(index).
    void RuntimeQuestionClick(int index);
    // Hides the panel and ends the dialogue.
    void CloseDialogue();
    // The index 1..QuestionCount of the first question with that identifier, 0 when none.
    int FindQuestionById(int id) const;

    bool DialogueActive() const { return m_active; }
    const std::string& DialogueFrame() const { return m_frame; }
    int QuestionCount() const { return static_cast<int>(m_questions.size()) - 1; }
    // Element 0 carries no question.
    const std::vector<DialogueQuestion>& Questions() const { return m_questions; }
    // Takes the highlight off the question lines (the pointer left them).
    void ClearHighlight();

    // Colours of the question lines: not yet asked, asked before, under the pointer.
    static constexpr uint32_t kNewColor = 0xFFFFFF;
    static constexpr uint32_t kAskedColor = 0xAAAAAA; // RGB(170, 170, 170)
    static constexpr uint32_t kHighlightColor = 0x78DCFF;

private:
    void Highlight(int index);
    void RunScript(const std::string& script);
    void PerformAction(int16_t areaIndex);
    // Shows the answer in the message bar and waits as long as it stays.
    void ShowAnswer(const DialogueQuestion& question);
    void AskQuestion(int q);

    GameSession& m_session;
    ScriptWindow& m_window;
    std::vector<DialogueQuestion> m_questions;
    bool m_active = false;
    std::string m_frame;
    // Counts loads and closes: a question whose scripts ended or replaced the dialogue (a game
    // reset, a loaded game) does not lay out the old questions again.
    unsigned m_generation = 0;
};

} // namespace quillora
