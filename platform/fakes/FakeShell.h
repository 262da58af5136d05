#pragma once
#include <string>
#include <vector>

#include "platform/Shell.h"

namespace cv2::fakes {

class FakeShell : public Shell {
public:
    struct Help {
        std::wstring file;
        unsigned command;
        unsigned long long data;
    };
    long long openResult = 42;
    std::vector<std::string> opened;
    std::vector<Help> helps;
    long long openDocumentResult = 42;
    std::vector<std::wstring> documents;

    long long Open(WindowHandle, const std::string& file) override {
        opened.push_back(file);
        return openResult;
    }
    long long OpenDocument(WindowHandle, const std::wstring& path) override {
        documents.push_back(path);
        return openDocumentResult;
    }
    bool WinHelp(WindowHandle, const std::wstring& helpFile, unsigned command, unsigned long long data) override {
        helps.push_back({helpFile, command, data});
        return true;
    }
};

}  // namespace cv2::fakes
