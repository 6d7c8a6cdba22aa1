// The run's transcript: every page shown, every message box with its answer, every progress text and
// every recorded system request, one line each, texts quoted with C escapes. End-to-end tests assert on it.
//
//   window caption="..."
//   background title="..." format=0x01
//   messagebox id=1247 caption="..." text="..." style=0x30 answer=OK
//   help file="..." command=1 context=7
//   trace <free text>
#pragma once

#include <cstdio>
#include <string>

namespace platform {

class Transcript {
  public:
    Transcript() = default;
    ~Transcript();
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    // Starts writing to a host file (truncated); false when it cannot be created.
    bool Open(const std::string& hostPath);
    bool IsOpen() const { return file_ != nullptr; }
    void Line(const std::string& line);

    // "..." with \\ \" \n \r \t and \xHH for other control bytes and bytes above 0x7E.
    static std::string Quote(const std::string& text);

  private:
    std::FILE* file_ = nullptr;
};

// The name of a message box answer (IDOK -> "OK", IDYES -> "Yes", ...).
const char* AnswerName(int answer);

}  // namespace platform
