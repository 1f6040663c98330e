#pragma once
// An output stream that hands each finished line to a C callback.

#include <ostream>
#include <streambuf>
#include <string>

#include "host_api/kelvane_sim_host.h"

namespace sim {

class LineSinkBuffer : public std::streambuf {
public:
    LineSinkBuffer(KsimLineSink sink, void* context) : sink_(sink), context_(context) {}
    ~LineSinkBuffer() override {
        if (!line_.empty()) Flush();
    }

protected:
    int_type overflow(int_type c) override {
        if (c == traits_type::eof()) return traits_type::not_eof(c);
        if (c == '\n') {
            Flush();
        } else {
            line_ += static_cast<char>(c);
        }
        return c;
    }

private:
    void Flush() {
        if (sink_ != nullptr) sink_(context_, line_.c_str());
        line_.clear();
    }

    KsimLineSink sink_;
    void* context_;
    std::string line_;
};

class LineSinkStream : public std::ostream {
public:
    LineSinkStream(KsimLineSink sink, void* context) : std::ostream(nullptr), buffer_(sink, context) {
        rdbuf(&buffer_);
    }

private:
    LineSinkBuffer buffer_;
};

}  // namespace sim
