#include "platform/ui/messagebox.h"

#include <cstdio>

#include "platform/ui/messagebox_kinds.h"
#include "platform/ui/service_internal.h"
#include "platform/ui/transcript.h"

namespace {

// The platform titles a box without a caption "Error".
constexpr const char* kDefaultCaption = "Error";

std::string TranscriptLine(const ui::MessageBoxRequest& r, int answer) {
    return "messagebox title=" + ui::transcript::Quote(r.title) + " text=" + ui::transcript::Quote(r.text) +
           " buttons=" + std::string(ui::ButtonsWord(r.type)) + " icon=" + std::string(ui::IconWord(r.type)) +
           " answer=" + ui::AnswerWord(answer);
}

}  // namespace

int MessageBoxA(void* /*owner*/, const char* text, const char* caption, UINT type) {
    try {
        ui::MessageBoxRequest request;
        request.text = text ? text : "";
        request.title = caption ? caption : kDefaultCaption;
        request.type = type;
        int answer = 0;
        ui::detail::WithBackend([&](ui::Backend& backend) {
            // A type without a known button set cannot be shown, as on the platform.
            if (!ui::ButtonsOf(type).empty() && backend.CanShow()) answer = backend.ShowMessageBox(request);
            ui::transcript::Append(TranscriptLine(request, answer));
        });
        return answer;
    } catch (...) {
        std::fprintf(stderr, "chequesign ui: a message box failed\n");
        return 0;
    }
}
