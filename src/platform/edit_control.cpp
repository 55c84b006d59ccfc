#include "platform/edit_control.h"

#include <algorithm>
#include <cstring>

namespace plat {

void EditControl::SetLimit(size_t limit) {
    limit_ = limit;
    if (text_.size() > limit_) text_.resize(limit_);
    if (text_.empty()) selected_ = false;
}

void EditControl::SetText(std::string_view text) {
    text_.assign(text.substr(0, std::min(text.size(), limit_)));
    selected_ = false;
    Invalidate();
}

size_t EditControl::GetText(char* buffer, size_t size) const {
    if (buffer == nullptr || size == 0) return 0;
    const size_t n = std::min(text_.size(), size - 1);
    std::memcpy(buffer, text_.data(), n);
    buffer[n] = '\0';
    return n;
}

bool EditControl::AcceptChar(uint8_t /*c*/, std::string_view /*candidate*/) const {
    return true;
}

LResult EditControl::OnMessage(uint32_t message, WParam wParam, LParam lParam) {
    if (message == WM_CHAR) {
        OnChar(static_cast<uint8_t>(wParam & 0xFF), lParam);
        return 0;
    }
    return DefaultMessage(message, wParam, lParam);
}

void EditControl::OnChar(uint8_t c, LParam lParam) {
    if (c == 8) {
        if (selected_) {
            text_.clear();
        } else if (!text_.empty()) {
            text_.pop_back();
        } else {
            return;
        }
        selected_ = false;
        Changed();
        return;
    }
    if (c == 13 || c == 27) {
        // The dialog decides what Enter and Escape mean.
        plat::SendMessage(GetParent(), WM_CHAR, c, lParam);
        return;
    }
    if (c < 32 || c == 127) return;
    std::string candidate = selected_ ? std::string() : text_;
    if (candidate.size() >= limit_) return;
    candidate.push_back(static_cast<char>(c));
    if (!AcceptChar(c, candidate)) return;
    text_ = std::move(candidate);
    selected_ = false;
    Changed();
}

void EditControl::Changed() {
    Invalidate();
    plat::SendMessage(GetParent(), WM_COMMAND,
                      MakeWParam(static_cast<int32_t>(GetDlgCtrlID()), EN_CHANGE),
                      reinterpret_cast<LParam>(this));
}

}  // namespace plat
