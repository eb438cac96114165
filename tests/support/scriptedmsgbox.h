#pragma once

#include "platform/msgbox.h"

#include <QList>
#include <QMessageBox>
#include <QPushButton>

#include <functional>

// Answers every message box in its lifetime instead of showing it, and
// records each call. Answers are taken in order; once they run out, a box is
// answered with its default button, as if the user pressed Enter. The real
// box is restored on destruction.
class ScriptedMsgBox
{
public:
    explicit ScriptedMsgBox(QList<int> answers = {}) : m_answers(std::move(answers))
    {
        MsgBoxAnswerer.replace([this](const MsgBoxCall &call) { return answer(call); });
    }
    ~ScriptedMsgBox() { MsgBoxAnswerer.replace({}); }
    ScriptedMsgBox(const ScriptedMsgBox &) = delete;
    ScriptedMsgBox &operator=(const ScriptedMsgBox &) = delete;

    void addAnswer(int code) { m_answers.append(code); }
    // Runs while the box is "open", before it is answered: lets a test look
    // at the program's state at that moment.
    void onCall(std::function<void(const MsgBoxCall &)> hook) { m_hook = std::move(hook); }

    const QList<MsgBoxCall> &calls() const { return m_calls; }
    QStringList prompts() const
    {
        QStringList prompts;
        for (const MsgBoxCall &call : m_calls)
            prompts.append(call.prompt);
        return prompts;
    }

private:
    int answer(const MsgBoxCall &call)
    {
        m_calls.append(call);
        if (m_hook)
            m_hook(call);
        if (!m_answers.isEmpty())
            return m_answers.takeFirst();
        const auto box = CreateMessageBox(call);
        return MsgBoxCode(box->standardButton(box->defaultButton()));
    }

    QList<int> m_answers;
    QList<MsgBoxCall> m_calls;
    std::function<void(const MsgBoxCall &)> m_hook;
};
