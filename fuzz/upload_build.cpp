// BuildUpload on arbitrary bytes for every upload command: no crash, and a queue that the upload
// transfer can send as it is: records end with 0x02, none is longer than the record sender takes
// with the handshake it was built for (251 bytes in the Tamsel family, 253 in the Brenno family
// with Ack/Nak, 255 otherwise), Tamsel blocks are at most 128 characters (a 0x02 in the text
// splits one), and a refused text has an empty queue.
// Like the transfer, the check ends at the first empty record: what follows it is never sent.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/RecordQueue.h"
#include "upload/UploadCommand.h"

namespace {

using halvex::UploadKind;

// The sender's limits, as the product states them, independently of the code under test.
std::size_t RecordLimit(halvex::InstrumentFamily family, halvex::Handshake handshake) {
    using enum halvex::InstrumentFamily;
    if (family == Tamsel) return 251;
    return family == Brenno && handshake == halvex::Handshake::AckNak ? 253 : 255;
}

void CheckQueue(const halvex::UploadBuild& build, halvex::Handshake handshake) {
    if (build.Refused()) {
        if (!build.queue.empty()) std::abort();
        return;
    }
    if (!build.queue.empty() && build.queue.back() != halvex::kRecordEnd) std::abort();
    halvex::ForEachQueuedRecord(build.queue, [&](std::string_view record) {
        if (record.size() > RecordLimit(build.family, handshake)) std::abort();
        if (build.family == halvex::InstrumentFamily::Tamsel && record.size() > 128) std::abort();
        return true;
    });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    for (UploadKind kind : {UploadKind::TamselCoordinate, UploadKind::BrennoCoordinate,
                            UploadKind::CorvaneCoordinate, UploadKind::TamselCodeList,
                            UploadKind::BrennoCodeList, UploadKind::OtherData}) {
        for (halvex::Handshake handshake : {halvex::Handshake::None, halvex::Handshake::AckNak}) {
            CheckQueue(halvex::BuildUpload(kind, text, handshake), handshake);
        }
    }
    return 0;
}
