#include "transfers/LineTrace.h"

namespace halvex {

LineTrace::LineTrace(TraceHeader header) : header_(std::move(header)), origin_(Clock::now()) {}

void LineTrace::PortRequested(const TracePort& port, const CommSettingsValues& settings,
                              bool opened, Clock::time_point at) {
    header_.port = port;
    header_.settings = settings;
    if (opened) origin_ = at;
}

void LineTrace::Bytes(TraceDirection direction, std::span<const std::uint8_t> bytes,
                      Clock::time_point at) {
    if (bytes.empty()) return;
    const Kind kind = direction == TraceDirection::Sent ? Kind::Sent : Kind::Received;
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(at - origin_).count();
    Add(kind, ms, {reinterpret_cast<const char*>(bytes.data()), bytes.size()});
}

void LineTrace::Event(std::string_view event) { Add(Kind::Event, 0, event); }

bool LineTrace::End(std::string_view how) {
    if (ended_) return false;
    Add(Kind::Event, 0, "end: " + std::string(how));
    ended_ = true;
    return true;
}

bool LineTrace::Ended() const { return ended_; }

void LineTrace::Add(Kind kind, std::int64_t ms, std::string_view bytes) {
    if (ended_) return;
    if (kind != Kind::Event && !entries_.empty()) {
        Entry& last = entries_.back();
        if (last.kind == kind && last.ms == ms) {
            store_ += bytes;
            last.size += static_cast<std::uint32_t>(bytes.size());
            return;
        }
    }
    entries_.push_back({ms, store_.size(), static_cast<std::uint32_t>(bytes.size()), kind});
    store_ += bytes;
}

std::string LineTrace::Text() const {
    std::string out = FormatTraceHeader(header_);
    // About one line of 75 characters per 16 bytes, plus the events.
    out.reserve(out.size() + store_.size() * 5 + entries_.size() * 16);
    for (const Entry& entry : entries_) {
        const std::string_view text = std::string_view(store_).substr(entry.offset, entry.size);
        if (entry.kind == Kind::Event) {
            AppendTraceEvent(out, text);
            continue;
        }
        AppendTraceData(out, std::chrono::milliseconds(entry.ms),
                        entry.kind == Kind::Sent ? TraceDirection::Sent : TraceDirection::Received,
                        {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
    }
    return out;
}

}  // namespace halvex
