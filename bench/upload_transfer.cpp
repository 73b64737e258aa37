// An Ack/Nak Tamsel upload of 5,000 records of 128 characters over a pseudo-terminal, against a
// peer that answers every frame at once. "Worker" is the whole upload (decoration, framing, one
// write call per byte, the 3-byte reply, the editor echo); "LineOnly" puts the same bytes on the
// same line with the same writes and reads and nothing else, so the difference per record is
// what the upload adds on top of the line itself.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <string>
#include <thread>
#include <vector>

#include "port/OpenCommPort.h"
#include "port/PosixSerialPort.h"
#include "transfers/UploadWorker.h"

namespace {

using namespace halvex;

constexpr int kRecords = 5000;

class NullEditor : public EditorOps {
public:
    std::string GetEditorText() override { return text_; }
    void SetEditorText(const std::string& text) override { text_ = text; }
    void ClearEditor() override { text_.clear(); }
    bool AppendEditorText(const std::string& text) override {
        text_ += text;
        return true;
    }
    void MoveCaretTo(std::size_t) override {}
    void SetEditorReadOnly(bool) override {}
    bool ConfirmUnsaved() override { return true; }
    void DetachFromFile() override {}

private:
    std::string text_;
};

class NullDialogs : public UserDialogs {
public:
    void ShowMessage(const std::string&, const std::string&, MessageIcon,
                     const std::string&) override {}
    bool AskYesNo(const std::string&, const std::string&) override { return true; }
};

// The instrument: answers ACK to every frame (a frame ends with ETX CR LF) until the trailer.
class AnsweringPeer {
public:
    AnsweringPeer() {
        char name[128] = {};
        if (::openpty(&master_, &slave_, name, nullptr, nullptr) != 0) return;
        termios raw{};
        ::tcgetattr(slave_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(slave_, TCSANOW, &raw);
        ::tcgetattr(master_, &raw);
        ::cfmakeraw(&raw);
        ::tcsetattr(master_, TCSANOW, &raw);
        path_ = name;
    }
    ~AnsweringPeer() {
        if (master_ >= 0) ::close(master_);
        if (slave_ >= 0) ::close(slave_);
    }
    const std::string& Path() const { return path_; }

    // Answers until the Tamsel trailer has arrived; runs on its own thread.
    void Serve() {
        std::string tail;
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(master_, buffer, sizeof buffer);
            if (got <= 0) return;
            for (ssize_t i = 0; i < got; ++i) {
                tail.push_back(buffer[i]);
                if (tail.size() > 4) tail.erase(0, tail.size() - 4);
                if (tail.size() < 3 || tail.compare(tail.size() - 3, 3, "\x03\r\n") != 0) continue;
                if (tail == "\x04\x03\r\n" || tail == std::string("\x02\x04\x03\r\n")) return;
                if (::write(master_,
                            "\x06"
                            "00",
                            3) != 3)
                    return;
            }
        }
    }

private:
    int master_ = -1;
    int slave_ = -1;
    std::string path_;
};

std::string Queue() {
    std::string queue;
    for (int i = 0; i < kRecords; ++i)
        queue += std::string(128, static_cast<char>('A' + i % 26)) + '\x02';
    return queue;
}

void Worker(benchmark::State& state) {
    const std::string queue = Queue();
    NullEditor editor;
    NullDialogs dialogs;
    CommSettings settings;
    settings.Protocol = 1;
    settings.BaudIndex = 7;
    settings.TimeoutSeconds = 5;
    WorkerRegistry workers;
    for (auto _ : state) {
        AnsweringPeer peer;
        PosixPortOpener ports([&](const std::string&) { return std::optional(peer.Path()); });
        std::thread instrument([&] { peer.Serve(); });
        UploadWorker({editor, dialogs, settings, ports, workers},
                     TransferFields{InstrumentFamily::Tamsel, 0, queue});
        instrument.join();
    }
    state.counters["per_record"] = benchmark::Counter(
        kRecords, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void LineOnly(benchmark::State& state) {
    std::vector<std::string> frames;
    std::int32_t counter = 0;
    for (int i = 0; i < kRecords; ++i) {
        const std::string record(128, static_cast<char>('A' + i % 26));
        std::string frame = "\x02";
        frame += DecorateDataRecord(record, InstrumentFamily::Tamsel, Handshake::AckNak, counter);
        frame += "\x03\r\n";
        frames.push_back(std::move(frame));
    }
    NullDialogs dialogs;
    CommSettings settings;
    settings.BaudIndex = 7;
    settings.TimeoutSeconds = 5;
    for (auto _ : state) {
        AnsweringPeer peer;
        PosixPortOpener ports([&](const std::string&) { return std::optional(peer.Path()); });
        std::thread instrument([&] { peer.Serve(); });
        auto port = OpenCommPort(settings, ports, dialogs);
        std::uint8_t reply[3];
        for (const std::string& frame : frames) {
            port->Write(BytesOf(frame));
            port->Read(reply, 3);
        }
        port->Write(BytesOf("\x02\x04\x03\r\n"));
        instrument.join();
        port->Close();
    }
    state.counters["per_record"] = benchmark::Counter(
        kRecords, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(Worker)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(LineOnly)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
