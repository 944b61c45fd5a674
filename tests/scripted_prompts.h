#pragma once

#include "framework/prompts.h"

#include <QList>
#include <QStringList>

#include <deque>
#include <functional>

namespace ombrelis {

// Answers the editor's questions from a queue filled by the test, and keeps
// a record of every question asked.
class ScriptedPrompts final : public Prompts {
public:
    enum class Kind {
        OpenFile,
        SaveFile,
        Colour,
        ReadOnly,
        SaveAll,
        ClosingWindow,
        ScriptMessage,
        SamplingCount,
        TangentLength,
        Recovery,
        About,
        Error,
    };
    struct Question {
        Kind kind;
        // A file dialog's title, a curve name, a message, or the curve
        // names of each window offered for recovery ("a, b | c").
        QString detail;
    };

    // Answers for the questions to come, used in order.
    void chooseFile(const QString &path) { answers_.push_back({Answer::File, path, 0}); }
    void enter(int value) { answers_.push_back({Answer::Number, {}, value}); }
    void pickColour(Colour colour)
    {
        answers_.push_back({Answer::Number, {}, static_cast<int>(colour)});
    }
    void pressOk() { answers_.push_back({Answer::Ok, {}, 0}); }
    void pressCancel() { answers_.push_back({Answer::Cancel, {}, 0}); }
    // Escape, or the dialog's close box.
    void dismiss() { answers_.push_back({Answer::Dismiss, {}, 0}); }

    int unusedAnswers() const { return static_cast<int>(answers_.size()); }

    // The answer to a closing question met while no answer is queued, true
    // for "OK" and false for "NO"; unset, such a question is a mismatch like
    // any other.
    std::optional<bool> closingAnswerWhenUnscripted;
    // Called when a question that needs an answer finds the queue empty; it
    // may queue one (random use answers as it goes).
    std::function<void(Kind)> answerWhenUnscripted;
    int count(Kind kind) const;

    QList<Question> asked;
    // Questions that met no fitting answer; a test that ends with any failed.
    QStringList mismatches;

    std::optional<Colour> chooseColour() override;
    bool confirmReadOnly() override;
    bool confirmSaveAll(const QString &curveName, SaveAllReason reason) override;
    ClosingAnswer askClosingWindow() override;
    void showScriptMessage(const QString &message) override;
    std::optional<int> askSamplingCount() override;
    std::optional<int> askTangentLength() override;
    bool confirmRecovery(const std::vector<RecoverableWindow> &windows) override;
    void showAbout() override;
    void showError(const QString &message) override;

protected:
    std::optional<QString> askOpenFile(const FileDialogRequest &request) override;
    std::optional<QString> askSaveFile(const FileDialogRequest &request) override;

private:
    struct Answer {
        enum Type {
            Ok,
            Cancel,
            Dismiss,
            File,
            Number
        } type;
        QString file;
        int number;
    };

    // The next answer if it has one of the accepted types (Cancel always
    // fits); otherwise the question is recorded as a mismatch.
    std::optional<Answer> take(Kind kind, const QString &detail,
                               std::initializer_list<Answer::Type> fitting);
    bool confirm(Kind kind, const QString &detail);
    std::optional<int> number(Kind kind, int minimum, int maximum);

    std::deque<Answer> answers_;
};

}  // namespace ombrelis
