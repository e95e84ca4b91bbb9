#pragma once
// A Dialogs implementation for tests: every question is answered from a queue
// that the test fills beforehand, and every question is recorded.
//
//   lw::test::ScriptedDialogs dialogs;
//   dialogs.answerMessage(lw::IDYES).answerSave("/tmp/a.sta");
//   ... drive the window ...
//   EXPECT_EQ(dialogs.messages().at(0).caption, "Neuer Stammbaum");
//   EXPECT_TRUE(dialogs.allAnswersUsed());
//
// A question for which no answer is queued fails the running test and is
// answered as if the user had cancelled (IDCANCEL, no file, no font, no
// colour, no number), so a forgotten answer never hangs or crashes the test.
#include "platform/Dialogs.h"

#include <QString>
#include <deque>
#include <gtest/gtest.h>
#include <optional>
#include <vector>

namespace lw::test {

class ScriptedDialogs : public Dialogs {
  public:
    struct Message {
        QString text;
        QString caption;
        unsigned flags = 0;
    };
    enum class FileKind { Open, Save };
    struct FileQuestion {
        FileKind kind;
        FileDialogRequest request;
    };
    struct NumberQuestion {
        QString title;
        QString label;
        int value, min, max;
    };

    // --- answers, used in the order given ---------------------------------
    ScriptedDialogs& answerMessage(int result) {
        messageAnswers_.push_back(result);
        return *this;
    }
    // An empty path answers "Cancel".
    ScriptedDialogs& answerOpen(const QString& path) {
        openAnswers_.push_back(path);
        return *this;
    }
    ScriptedDialogs& answerSave(const QString& path) {
        saveAnswers_.push_back(path);
        return *this;
    }
    // std::nullopt answers "Cancel".
    ScriptedDialogs& answerFont(std::optional<TFontInfo> font) {
        fontAnswers_.push_back(std::move(font));
        return *this;
    }
    ScriptedDialogs& answerColor(std::optional<TColor> color) {
        colorAnswers_.push_back(color);
        return *this;
    }
    ScriptedDialogs& answerNumber(std::optional<int> number) {
        numberAnswers_.push_back(number);
        return *this;
    }

    // --- what was asked ----------------------------------------------------
    const std::vector<Message>& messages() const { return messages_; }
    const std::vector<FileQuestion>& fileQuestions() const { return fileQuestions_; }
    // The font and colour each dialog was preset to.
    const std::vector<TFontInfo>& fontsOffered() const { return fontsOffered_; }
    const std::vector<TColor>& colorsOffered() const { return colorsOffered_; }
    const std::vector<NumberQuestion>& numberQuestions() const { return numberQuestions_; }
    int questionCount() const {
        return int(messages_.size() + fileQuestions_.size() + fontsOffered_.size() +
                   colorsOffered_.size() + numberQuestions_.size());
    }
    // True when every queued answer has been taken.
    bool allAnswersUsed() const {
        return messageAnswers_.empty() && openAnswers_.empty() && saveAnswers_.empty() &&
               fontAnswers_.empty() && colorAnswers_.empty() && numberAnswers_.empty();
    }
    // Forgets questions and answers alike.
    void reset() { *this = ScriptedDialogs(); }

    // --- Dialogs -----------------------------------------------------------
    int messageBox(const QString& text, const QString& caption, unsigned flags) override {
        messages_.push_back({text, caption, flags});
        if (messageAnswers_.empty()) {
            ADD_FAILURE() << "unexpected message box \"" << text.toStdString() << "\" ("
                          << caption.toStdString() << ")";
            return IDCANCEL;
        }
        return take(messageAnswers_);
    }
    QString openFileName(const FileDialogRequest& request) override {
        fileQuestions_.push_back({FileKind::Open, request});
        if (openAnswers_.empty()) {
            ADD_FAILURE() << "unexpected open dialog";
            return {};
        }
        return take(openAnswers_);
    }
    QString saveFileName(const FileDialogRequest& request) override {
        fileQuestions_.push_back({FileKind::Save, request});
        if (saveAnswers_.empty()) {
            ADD_FAILURE() << "unexpected save dialog";
            return {};
        }
        return take(saveAnswers_);
    }
    bool chooseFont(TFontInfo& font) override {
        fontsOffered_.push_back(font);
        if (fontAnswers_.empty()) {
            ADD_FAILURE() << "unexpected font dialog";
            return false;
        }
        std::optional<TFontInfo> answer = take(fontAnswers_);
        if (!answer) return false;
        font = *answer;
        return true;
    }
    bool chooseColor(TColor& color) override {
        colorsOffered_.push_back(color);
        if (colorAnswers_.empty()) {
            ADD_FAILURE() << "unexpected colour dialog";
            return false;
        }
        std::optional<TColor> answer = take(colorAnswers_);
        if (!answer) return false;
        color = *answer;
        return true;
    }

    std::optional<int> askNumber(const QString& title, const QString& label, int value, int min,
                                 int max) override {
        numberQuestions_.push_back({title, label, value, min, max});
        if (numberAnswers_.empty()) {
            ADD_FAILURE() << "unexpected number question \"" << title.toStdString() << "\"";
            return std::nullopt;
        }
        return take(numberAnswers_);
    }

  private:
    template <typename T> static T take(std::deque<T>& queue) {
        T value = std::move(queue.front());
        queue.pop_front();
        return value;
    }

    std::deque<int> messageAnswers_;
    std::deque<QString> openAnswers_;
    std::deque<QString> saveAnswers_;
    std::deque<std::optional<TFontInfo>> fontAnswers_;
    std::deque<std::optional<TColor>> colorAnswers_;
    std::deque<std::optional<int>> numberAnswers_;

    std::vector<Message> messages_;
    std::vector<FileQuestion> fileQuestions_;
    std::vector<TFontInfo> fontsOffered_;
    std::vector<TColor> colorsOffered_;
    std::vector<NumberQuestion> numberQuestions_;
};

} // namespace lw::test
