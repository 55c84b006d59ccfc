#pragma once
// Records the message traffic of the window layer so that tests can check
// which messages were sent, posted and dispatched, and in which order.
// While a recorder lives it is the layer's message observer.

#include <cstdint>
#include <vector>

#include "platform/message_queue.h"

namespace plat {

class MessageRecorder {
  public:
    MessageRecorder();
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    const std::vector<MessageTrace>& Entries() const { return entries_; }
    void Clear() { entries_.clear(); }

    // Entries of one kind, optionally only for one window and/or message
    // (nullptr / 0 = any).
    std::vector<MessageTrace> Filter(MessageTrace::Kind kind, const Window* window = nullptr,
                                     uint32_t message = 0) const;
    size_t Count(MessageTrace::Kind kind, const Window* window = nullptr,
                 uint32_t message = 0) const;
    // Message numbers of one kind for one window, in order.
    std::vector<uint32_t> Messages(MessageTrace::Kind kind, const Window* window) const;

  private:
    std::vector<MessageTrace> entries_;
};

}  // namespace plat
