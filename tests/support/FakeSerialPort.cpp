#include "support/FakeSerialPort.h"

namespace halvex::testing {

bool FakeSerialPort::SetupQueues(std::uint32_t inputBytes, std::uint32_t outputBytes) {
    std::lock_guard lock(mutex_);
    queueIn_ = inputBytes;
    queueOut_ = outputBytes;
    return !failSetupQueues_;
}

bool FakeSerialPort::GetLineSettings(LineSettings& settings) {
    std::lock_guard lock(mutex_);
    settings = settings_;
    return true;
}

bool FakeSerialPort::SetLineSettings(const LineSettings& settings) {
    std::lock_guard lock(mutex_);
    if (failSetLineSettings_) return false;
    settings_ = settings;
    return true;
}

bool FakeSerialPort::SetReadTimeout(std::uint32_t totalMs) {
    std::lock_guard lock(mutex_);
    readTimeoutMs_ = totalMs;
    return true;
}

ReadResult FakeSerialPort::Read(std::uint8_t* buffer, std::size_t count) {
    std::lock_guard lock(mutex_);
    readSizes_.push_back(count);
    if (aborted_ || closeCount_ > 0) return {ReadStatus::Failed, 0};
    std::size_t got = 0;
    while (got < count && !input_.empty()) {
        buffer[got++] = input_.front();
        input_.pop_front();
    }
    if (got < count && failReadsWhenEmpty_) return {ReadStatus::Failed, got};
    return {ReadStatus::Ok, got};
}

bool FakeSerialPort::Write(std::span<const std::uint8_t> bytes) {
    for (std::uint8_t byte : bytes) {
        std::function<void(std::uint8_t, FakeSerialPort&)> hook;
        {
            std::lock_guard lock(mutex_);
            if (aborted_ || closeCount_ > 0) return false;
            if (writableBytes_ && written_.size() >= *writableBytes_) return false;
            written_.push_back(static_cast<char>(byte));
            hook = onWrite_;
        }
        if (hook) hook(byte, *this);
    }
    return true;
}

bool FakeSerialPort::DrainOutput() {
    std::lock_guard lock(mutex_);
    drains_.push_back({written_.size(), readSizes_.size()});
    return !aborted_ && closeCount_ == 0;
}

void FakeSerialPort::Close() {
    std::lock_guard lock(mutex_);
    ++closeCount_;
}

void FakeSerialPort::Abort() {
    std::lock_guard lock(mutex_);
    aborted_ = true;
}

void FakeSerialPort::QueueInput(const std::string& bytes) {
    std::lock_guard lock(mutex_);
    for (char c : bytes) input_.push_back(static_cast<std::uint8_t>(c));
}

void FakeSerialPort::FailReadsWhenEmpty(bool fail) {
    std::lock_guard lock(mutex_);
    failReadsWhenEmpty_ = fail;
}
void FakeSerialPort::FailSetupQueues(bool fail) {
    std::lock_guard lock(mutex_);
    failSetupQueues_ = fail;
}
void FakeSerialPort::FailSetLineSettings(bool fail) {
    std::lock_guard lock(mutex_);
    failSetLineSettings_ = fail;
}
void FakeSerialPort::FailWritesAfter(std::size_t count) {
    std::lock_guard lock(mutex_);
    writableBytes_ = count;
}
void FakeSerialPort::SetInitialSettings(const LineSettings& settings) {
    std::lock_guard lock(mutex_);
    settings_ = settings;
}
void FakeSerialPort::OnWrite(std::function<void(std::uint8_t, FakeSerialPort&)> hook) {
    std::lock_guard lock(mutex_);
    onWrite_ = std::move(hook);
}

std::string FakeSerialPort::Written() const {
    std::lock_guard lock(mutex_);
    return written_;
}
LineSettings FakeSerialPort::Settings() const {
    std::lock_guard lock(mutex_);
    return settings_;
}
std::uint32_t FakeSerialPort::ReadTimeoutMs() const {
    std::lock_guard lock(mutex_);
    return readTimeoutMs_;
}
std::uint32_t FakeSerialPort::QueueIn() const {
    std::lock_guard lock(mutex_);
    return queueIn_;
}
std::uint32_t FakeSerialPort::QueueOut() const {
    std::lock_guard lock(mutex_);
    return queueOut_;
}
int FakeSerialPort::ReadCalls() const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(readSizes_.size());
}
std::vector<std::size_t> FakeSerialPort::ReadSizes() const {
    std::lock_guard lock(mutex_);
    return readSizes_;
}
bool FakeSerialPort::Closed() const {
    std::lock_guard lock(mutex_);
    return closeCount_ > 0;
}
int FakeSerialPort::CloseCount() const {
    std::lock_guard lock(mutex_);
    return closeCount_;
}
std::vector<FakeSerialPort::Drain> FakeSerialPort::Drains() const {
    std::lock_guard lock(mutex_);
    return drains_;
}

namespace {
// Forwards to a shared fake so the opener and the test both keep hold of it; closing it ends
// the exclusive hold.
class SharedPortHandle : public SerialPort {
public:
    SharedPortHandle(std::shared_ptr<SerialPort> port, std::function<void()> onClose)
        : port_(std::move(port)), onClose_(std::move(onClose)) {}
    ~SharedPortHandle() override { Close(); }
    bool SetupQueues(std::uint32_t in, std::uint32_t out) override {
        return port_->SetupQueues(in, out);
    }
    bool GetLineSettings(LineSettings& s) override { return port_->GetLineSettings(s); }
    bool SetLineSettings(const LineSettings& s) override { return port_->SetLineSettings(s); }
    bool SetReadTimeout(std::uint32_t ms) override { return port_->SetReadTimeout(ms); }
    ReadResult Read(std::uint8_t* b, std::size_t n) override { return port_->Read(b, n); }
    bool Write(std::span<const std::uint8_t> b) override { return port_->Write(b); }
    bool DrainOutput() override { return port_->DrainOutput(); }
    void Abort() override { port_->Abort(); }
    void Close() override {
        if (closed_) return;
        closed_ = true;
        port_->Close();
        onClose_();
    }

private:
    std::shared_ptr<SerialPort> port_;
    std::function<void()> onClose_;
    bool closed_ = false;
};
}  // namespace

std::shared_ptr<FakeSerialPort> FakePortOpener::Add(const std::string& portName) {
    auto port = std::make_shared<FakeSerialPort>();
    Install(portName, port);
    return port;
}

void FakePortOpener::Install(const std::string& portName, std::shared_ptr<SerialPort> port) {
    std::lock_guard lock(mutex_);
    ports_[portName] = std::move(port);
}

PortOpenResult FakePortOpener::Open(const std::string& portName) {
    std::lock_guard lock(mutex_);
    PortOpenResult result{nullptr, "fake:" + portName, {}};
    auto found = ports_.find(portName);
    if (found == ports_.end()) {
        result.failure = "fake:" + portName + " does not exist";
        return result;
    }
    if (!found->second) {
        result.failure = "fake:" + portName + " is held";
        return result;
    }
    opened_.push_back(portName);
    auto port = found->second;
    found->second = nullptr;  // held exclusively until closed
    result.port = std::make_unique<SharedPortHandle>(port, [this, portName, port] {
        std::lock_guard lock(mutex_);
        ports_[portName] = port;
    });
    return result;
}

std::vector<std::string> FakePortOpener::OpenedNames() const {
    std::lock_guard lock(mutex_);
    return opened_;
}

}  // namespace halvex::testing
