// The recorder of message traffic used by tests.

#include "platform/headless/message_recorder.h"

namespace plat {

MessageRecorder::MessageRecorder() {
    SetMessageObserver([this](const MessageTrace& trace) { entries_.push_back(trace); });
}

MessageRecorder::~MessageRecorder() {
    SetMessageObserver(nullptr);
}

std::vector<MessageTrace> MessageRecorder::Filter(MessageTrace::Kind kind, const Window* window,
                                                  uint32_t message) const {
    std::vector<MessageTrace> out;
    for (const MessageTrace& e : entries_) {
        if (e.kind != kind) continue;
        if (window != nullptr && e.window != window) continue;
        if (message != 0 && e.message != message) continue;
        out.push_back(e);
    }
    return out;
}

size_t MessageRecorder::Count(MessageTrace::Kind kind, const Window* window,
                              uint32_t message) const {
    return Filter(kind, window, message).size();
}

std::vector<uint32_t> MessageRecorder::Messages(MessageTrace::Kind kind,
                                                const Window* window) const {
    std::vector<uint32_t> out;
    for (const MessageTrace& e : Filter(kind, window)) out.push_back(e.message);
    return out;
}

}  // namespace plat
