#include "support/recording_hooks.h"

#include "platform/backend.h"

namespace fvtest {

int CallLog::Count(const std::string& call) const {
    return static_cast<int>(std::count(calls.begin(), calls.end(), call));
}

template <typename Window>
plat::LResult RecordingWindow<Window>::OnMessage(uint32_t message, plat::WParam w, plat::LParam l) {
    if (message >= WM_USER || message == WM_MOUSEMOVE) {
        sent.push_back({message, w, l, plat::CurrentBackend().Now()});
    }
    return this->DefaultMessage(message, w, l);
}

template class RecordingWindow<plat::Window>;
template class RecordingWindow<SPIEL_FELD>;
template class RecordingWindow<HAUPTDIALOG>;

}  // namespace fvtest
