// Answers files of unattended runs.
#include <cstdint>
#include <string>

#include "platform/ui/answers.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    platform::Answers answers;
    std::string error;
    if (!answers.Parse(text, error)) return 0;
    for (const char* key : {"destination", "name", "company", "language", "browse", "answer.1071"})
        (void)answers.Get(key);
    for (int id : {1063, 1069, 1070, 1071, 1084})
        (void)answers.AnswerFor(id);
    return 0;
}
