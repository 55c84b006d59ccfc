#pragma once
// A window for tests: logs every message it gets and lets a test plug in
// behaviour per message.

#include <algorithm>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/window.h"

namespace plat_test {

struct Logged {
    uint32_t message;
    plat::WParam wParam;
    plat::LParam lParam;
};

class TestWindow : public plat::Window {
  public:
    using Handler = std::function<plat::LResult(plat::WParam, plat::LParam)>;
    explicit TestWindow(std::string name = {}, std::vector<std::string>* journal = nullptr,
                        uint32_t classStyle = 0)
        : name_(std::move(name)), journal_(journal), classStyle_(classStyle) {}
    ~TestWindow() override {
        if (journal_) journal_->push_back(name_ + " deleted");
    }
    void On(uint32_t message, Handler handler) { handlers_[message] = std::move(handler); }
    uint32_t ClassStyle() const override { return classStyle_; }
    std::vector<Logged> log;
    // The messages of the log that are among `wanted` (all when empty), in order.
    std::vector<uint32_t> Only(std::initializer_list<uint32_t> wanted = {}) const {
        std::vector<uint32_t> out;
        for (const auto& l : log) {
            if (wanted.size() == 0 || std::count(wanted.begin(), wanted.end(), l.message))
                out.push_back(l.message);
        }
        return out;
    }
    size_t Count(uint32_t message) const { return WParams(message).size(); }
    std::vector<plat::WParam> WParams(uint32_t message) const {
        std::vector<plat::WParam> out;
        for (const auto& l : log) {
            if (l.message == message) out.push_back(l.wParam);
        }
        return out;
    }
    const Logged* Last(uint32_t message) const {
        auto it = std::find_if(log.rbegin(), log.rend(),
                               [&](const Logged& l) { return l.message == message; });
        return it == log.rend() ? nullptr : &*it;
    }

  protected:
    plat::LResult OnMessage(uint32_t message, plat::WParam w, plat::LParam l) override {
        log.push_back({message, w, l});
        auto it = handlers_.find(message);
        return it != handlers_.end() ? it->second(w, l) : DefaultMessage(message, w, l);
    }

  private:
    std::string name_;
    std::vector<std::string>* journal_;
    uint32_t classStyle_;
    std::map<uint32_t, Handler> handlers_;
};

}  // namespace plat_test
