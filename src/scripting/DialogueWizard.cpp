// Frame dialogues: reading the questions, laying them out in the panel and asking them.
#include "scripting/DialogueWizard.h"

#include "core/ClassicError.h"
#include "core/PathLookup.h"
#include "core/Prompts.h"
#include "core/ValueListReader.h"
#include "game/Actions.h"
#include "game/GameHost.h"
#include "game/GameScene.h"
#include "game/GameSession.h"
#include "game/MessageBar.h"
#include "project/ErrorMessages.h"
#include "project/ProjectPaths.h"
#include "scripting/ScriptWindow.h"
#include "services/Wait.h"

#include <cmath>
#include <cstdlib>

namespace quillora {
namespace {

// Layout of the panel, in twips.
constexpr int kFirstLineTop = 300;
constexpr int kLineLeft = 360;
constexpr int kLineGap = 90;
constexpr int kBottomMargin = 300;

std::vector<int16_t> ReadIdList(ValueListReader& in) {
    const int16_t count = in.ReadInt16();
    std::vector<int16_t> ids;
    // A count the file does not back ends at its end: values are read one by one.
    for (int i = 0; i < count; ++i)
        ids.push_back(in.ReadInt16());
    return ids;
}

DialogueQuestion ReadQuestion(ValueListReader& in) {
    DialogueQuestion q;
    q.Text = in.ReadString();
    q.Answer = in.ReadString();
    q.FirstScript = DecodeBars(in.ReadString());
    q.SecondScript = DecodeBars(in.ReadString());
    q.ThirdScript = DecodeBars(in.ReadString());
    q.Id = in.ReadInt16();
    q.InitiallyVisible = in.ReadBool();
    q.EndsDialogue = in.ReadBool();
    q.FirstAction = in.ReadInt16();
    q.SecondAction = in.ReadInt16();
    q.ThirdAction = in.ReadInt16();
    q.ShowList = ReadIdList(in);
    q.HideList = ReadIdList(in);
    q.AnswerTime = in.ReadDouble();
    for (int i = 0; i < 3; ++i)
        in.Skip();
    q.UseAnswerTime = in.ReadBool();
    in.Skip();
    q.Visible = q.InitiallyVisible;
    return q;
}

} // namespace

void ReadDialogueFile(ValueListReader& in, std::vector<DialogueQuestion>& questions) {
    questions.clear();
    questions.emplace_back();
    for (int i = 0; i < 3; ++i)
        in.Skip();
    in.ReadString();
    in.ReadString();
    for (int i = 0; i < 6; ++i)
        in.Skip();
    const int16_t count = in.ReadInt16();
    if (count < 0) throw ClassicError(ErrorCode::SubscriptOutOfRange);
    for (int i = 1; i <= count; ++i)
        questions.push_back(ReadQuestion(in));
}

DialogueWizard::DialogueWizard(GameSession& session, ScriptWindow& window)
    : m_session(session), m_window(window) {
    m_questions.emplace_back();
}

void DialogueWizard::LoadDialogue() {
    ++m_generation;
    m_questions.assign(1, DialogueQuestion());
    const std::string path = Paths().FramesData + m_session.CurrentFrame.Name + ".dlg";
    if (!PathLookup::Instance().FileExists(path)) return;
    try {
        ValueListReader in = ValueListReader::Open(path);
        ReadDialogueFile(in, m_questions);
    } catch (const ClassicError& error) {
        Prompts().MessageBox("Error loading the dialogue.\r\n\r\n" + DescriptionAndDetail(error),
                             BoxStyle::Critical, "Error");
        return;
    }
    m_active = true;
    m_frame = m_session.CurrentFrame.Name;
}

void DialogueWizard::RuntimeDisplayQuestions() {
    GameScene& scene = m_window.Scene();
    try {
        ControlArray& lines = scene.lblDialogue;
        for (int i = lines.UBound(); i > 0; --i)
            lines.Unload(i);
        int top = kFirstLineTop;
        int shown = 0;
        for (int i = 1; i <= QuestionCount(); ++i) {
            const DialogueQuestion& q = m_questions[i];
            if (!q.Visible) continue;
            ++shown;
            SceneElement& line = lines.Load(shown);
            line.SetCaption(q.Text);
            line.Tag = std::to_string(i);
            line.Move(kLineLeft, top);
            line.ForeColor = q.Asked ? kAskedColor : kNewColor;
            line.OnClick = [this, shown] { RuntimeQuestionClick(shown); };
            line.OnMouseMove = [this, shown](const ElementMouse&) { Highlight(shown); };
            line.SetVisible(true);
            top += line.Height + kLineGap;
        }
        if (shown > 0) {
            SceneElement& panel = scene.fmeDialogue;
            PictureBox& box = scene.Box;
            const int height = top + kBottomMargin;
            panel.OnMouseMove = [this](const ElementMouse&) { ClearHighlight(); };
            panel.Move(0, box.FrameHeight() - height, box.FrameWidth(), height);
            panel.SetVisible(true);
            box.ZOrder(panel);
        } else {
            CloseDialogue();
        }
    } catch (const ClassicError& error) {
        ShowCommonError(" Error in RuntimeDisplayQuestions. ", error.Description());
    }
}

void DialogueWizard::Highlight(int index) {
    for (const auto& [i, line] : m_window.Scene().lblDialogue.Elements()) {
        const int q = std::atoi(line->Tag.c_str());
        const bool asked = q > 0 && q <= QuestionCount() && m_questions[q].Asked;
        const uint32_t colour = i == index ? kHighlightColor : asked ? kAskedColor : kNewColor;
        if (line->ForeColor != colour) {
            line->ForeColor = colour;
            line->Changed();
        }
    }
}

void DialogueWizard::ClearHighlight() {
    Highlight(0);
}

void DialogueWizard::RuntimeQuestionClick(int index) {
    const SceneElement* line = m_window.Scene().lblDialogue.Item(index);
    if (line == nullptr) return;
    const int q = std::atoi(line->Tag.c_str());
    if (q < 1 || q > QuestionCount()) return;
    try {
        AskQuestion(q);
    } catch (const ClassicError& error) {
        ShowCommonError(" Error in RuntimeQuestionClick. ", error.Description());
    }
}

void DialogueWizard::AskQuestion(int q) {
    m_questions[q].Asked = true;
    m_window.Scene().fmeDialogue.SetVisible(false);
    // The scripts may load another dialogue or reset the game: the question is copied and the
    // steps after them check that this dialogue is still the one loaded.
    const DialogueQuestion question = m_questions[q];
    const unsigned generation = m_generation;
    RunScript(question.FirstScript);
    PerformAction(question.FirstAction);
    RunScript(question.SecondScript);
    PerformAction(question.SecondAction);
    ShowAnswer(question);
    if (question.EndsDialogue) CloseDialogue();
    RunScript(question.ThirdScript);
    PerformAction(question.ThirdAction);
    if (question.EndsDialogue || generation != m_generation) return;
    for (const int16_t id : question.ShowList) {
        if (const int found = FindQuestionById(id)) m_questions[found].Visible = true;
    }
    for (const int16_t id : question.HideList) {
        if (const int found = FindQuestionById(id)) m_questions[found].Visible = false;
    }
    RuntimeDisplayQuestions();
}

void DialogueWizard::RunScript(const std::string& script) {
    if (script.empty()) return;
    ExecuteVBScriptAndConsequences(m_window.Host(), m_session, script, true);
}

void DialogueWizard::PerformAction(int16_t areaIndex) {
    // Numbers beyond the frame's hotspots (the dialogue may be shown over another frame) are
    // skipped without a word.
    if (areaIndex < 1 || areaIndex > m_session.CurrentFrame.HotspotCount) return;
    ActionContext context{m_window.Scene(), m_session, m_window.Host(), m_window.Items(),
                          m_window.Videos()};
    MakeActionAndConsequences(context, areaIndex, 0);
}

void DialogueWizard::ShowAnswer(const DialogueQuestion& question) {
    const auto stopped = [this] { return m_session.Flags.StopEverything; };
    // A time that is not a number or below zero waits nothing.
    const double seconds =
        std::isfinite(question.AnswerTime) && question.AnswerTime > 0 ? question.AnswerTime : 0;
    if (!question.Answer.empty()) {
        if (question.UseAnswerTime) {
            m_window.Host().DisplayTextMessage(question.Answer, true, true);
            WaitSeconds(seconds, stopped);
            m_window.Messages().Hide();
        } else {
            m_window.Host().DisplayTextMessage(question.Answer, true, false);
            const WaitScope waiting;
            const SceneElement& bar = m_window.Scene().FrameMessageBox;
            while (bar.Visible() && !stopped())
                DoEvents();
        }
    } else if (question.UseAnswerTime) {
        WaitSeconds(seconds, stopped);
    }
}

void DialogueWizard::CloseDialogue() {
    ++m_generation;
    m_window.Scene().fmeDialogue.SetVisible(false);
    m_active = false;
    m_frame.clear();
}

int DialogueWizard::FindQuestionById(int id) const {
    for (int i = 1; i <= QuestionCount(); ++i) {
        if (m_questions[i].Id == id) return i;
    }
    return 0;
}

} // namespace quillora
