#pragma once

#include "gui/common/Dialogs.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace velmora::gui::test {

// Answers alerts and file panels from queues filled by the test beforehand,
// and records what was asked so the test can check the exact texts.
class ScriptedDialogs : public Dialogs {
public:
    // Answers the next alert with the button of that text; an alert with no
    // prepared answer is closed without a choice.
    void answerNext(const QString& buttonText) { m_answers << buttonText; }
    void chooseNext(const std::optional<QUrl>& url) { m_choices << url; }

    QList<Alert> alerts;
    QList<FilePanel> panels;

    int ask(QWidget*, const Alert& alert) override {
        alerts << alert;
        if (m_answers.isEmpty())
            return -1;
        const QString text = m_answers.takeFirst();
        for (qsizetype i = 0; i < alert.buttons.size(); ++i)
            if (alert.buttons[i].text == text)
                return int(i);
        return -1;
    }

    std::optional<QUrl> choose(QWidget*, const FilePanel& panel) override {
        panels << panel;
        return m_choices.isEmpty() ? std::nullopt : m_choices.takeFirst();
    }

private:
    QStringList m_answers;
    QList<std::optional<QUrl>> m_choices;
};

} // namespace velmora::gui::test
