#pragma once
// Message boxes and file dialogs that answer from queues and record what they showed.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/Dialogs.h"

namespace cv2::fakes {

class FakeDialogs : public Dialogs {
public:
    struct Box {
        std::string text, caption;
        unsigned style;
    };
    struct FileAnswer {
        bool ok;
        std::wstring path;
    };

    std::deque<int> answers;  // MessageBox results; kIdOk when empty
    std::vector<Box> boxes;
    std::deque<FileAnswer> fileAnswers;  // FileDialog results; cancelled when empty
    std::vector<FileDialogSpec> fileDialogs;
    std::vector<std::wstring> initialNames;
    std::function<void()> whileBoxOpen;  // runs inside MessageBox, as the box's own message loop would

    int MessageBox(WindowHandle, const std::string& text, const std::string& caption, unsigned style) override {
        boxes.push_back({text, caption, style});
        if (whileBoxOpen) whileBoxOpen();
        if (answers.empty()) return kIdOk;
        int a = answers.front();
        answers.pop_front();
        return a;
    }
    bool FileDialog(WindowHandle, const FileDialogSpec& spec, std::wstring& fileName) override {
        fileDialogs.push_back(spec);
        initialNames.push_back(fileName);
        if (fileAnswers.empty()) return false;
        FileAnswer a = fileAnswers.front();
        fileAnswers.pop_front();
        if (a.ok) fileName = a.path;
        return a.ok;
    }
};

}  // namespace cv2::fakes
