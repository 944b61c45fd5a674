#include "scripted_prompts.h"

#include <algorithm>

using namespace ombrelis;

int ScriptedPrompts::count(Kind kind) const
{
    return static_cast<int>(std::ranges::count(asked, kind, &Question::kind));
}

std::optional<ScriptedPrompts::Answer>
ScriptedPrompts::take(Kind kind, const QString &detail, std::initializer_list<Answer::Type> fitting)
{
    asked.append({kind, detail});
    if (answers_.empty() && answerWhenUnscripted)
        answerWhenUnscripted(kind);
    if (answers_.empty()) {
        mismatches.append(
            QStringLiteral("no answer for question %1 (%2)").arg(int(kind)).arg(detail));
        return std::nullopt;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    if (answer.type != Answer::Cancel && std::ranges::find(fitting, answer.type) == fitting.end()) {
        mismatches.append(QStringLiteral("answer %1 does not fit question %2 (%3)")
                              .arg(int(answer.type))
                              .arg(int(kind))
                              .arg(detail));
        return std::nullopt;
    }
    return answer;
}

bool ScriptedPrompts::confirm(Kind kind, const QString &detail)
{
    const auto answer = take(kind, detail, {Answer::Ok});
    return answer && answer->type == Answer::Ok;
}

std::optional<int> ScriptedPrompts::number(Kind kind, int minimum, int maximum)
{
    const auto answer = take(kind, {}, {Answer::Number});
    if (!answer || answer->type != Answer::Number)
        return std::nullopt;
    // The real dialog never closes on a value out of its range.
    if (answer->number < minimum || answer->number > maximum) {
        mismatches.append(
            QStringLiteral("%1 is outside %2..%3").arg(answer->number).arg(minimum).arg(maximum));
        return std::nullopt;
    }
    return answer->number;
}

std::optional<QString> ScriptedPrompts::askOpenFile(const FileDialogRequest &request)
{
    const auto answer = take(Kind::OpenFile, request.title, {Answer::File});
    if (!answer || answer->type != Answer::File)
        return std::nullopt;
    return answer->file;
}

std::optional<QString> ScriptedPrompts::askSaveFile(const FileDialogRequest &request)
{
    const auto answer = take(Kind::SaveFile, request.title, {Answer::File});
    if (!answer || answer->type != Answer::File)
        return std::nullopt;
    return answer->file;
}

std::optional<Colour> ScriptedPrompts::chooseColour()
{
    const auto answer = take(Kind::Colour, {}, {Answer::Number});
    if (!answer || answer->type != Answer::Number)
        return std::nullopt;
    return static_cast<Colour>(answer->number);
}

bool ScriptedPrompts::confirmReadOnly()
{
    return confirm(Kind::ReadOnly, {});
}

bool ScriptedPrompts::confirmSaveAll(const QString &curveName, SaveAllReason)
{
    return confirm(Kind::SaveAll, curveName);
}

ClosingAnswer ScriptedPrompts::askClosingWindow()
{
    if (answers_.empty() && closingAnswerWhenUnscripted) {
        asked.append({Kind::ClosingWindow, {}});
        return *closingAnswerWhenUnscripted ? ClosingAnswer::Save : ClosingAnswer::Discard;
    }
    const auto answer = take(Kind::ClosingWindow, {}, {Answer::Ok, Answer::Dismiss});
    if (answer && answer->type == Answer::Ok)
        return ClosingAnswer::Save;
    if (answer && answer->type == Answer::Dismiss)
        return ClosingAnswer::KeepOpen;
    return ClosingAnswer::Discard;
}

void ScriptedPrompts::showScriptMessage(const QString &message)
{
    asked.append({Kind::ScriptMessage, message});
}

std::optional<int> ScriptedPrompts::askSamplingCount()
{
    return number(Kind::SamplingCount, 16, 4096);
}

std::optional<int> ScriptedPrompts::askTangentLength()
{
    return number(Kind::TangentLength, 5, 25);
}

bool ScriptedPrompts::confirmRecovery(const std::vector<RecoverableWindow> &windows)
{
    QStringList names;
    for (const RecoverableWindow &window : windows)
        names << window.curveNames.join(QStringLiteral(", "));
    return confirm(Kind::Recovery, names.join(QStringLiteral(" | ")));
}

void ScriptedPrompts::showAbout()
{
    asked.append({Kind::About, {}});
}

void ScriptedPrompts::showError(const QString &message)
{
    asked.append({Kind::Error, message});
}
