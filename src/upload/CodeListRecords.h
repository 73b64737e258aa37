#pragma once
// Code-list and free-text uploads.
//   Tamsel code list: "number,text" lines become 15-character entries "_:nnntext______" of the
//     Tamsel field stream, packed into 128-character records.
//   Brenno code list: each non-empty line becomes "/Dh " and up to 40 comma-separated fields,
//     blanks removed, each cut to 14 characters.
//   Other data: each line, CRs removed, is one record.

#include <cstdint>
#include <string>
#include <string_view>

#include "upload/RecordBuilder.h"
#include "upload/TamselBlockPacker.h"

namespace halvex {

// The entry of one code line (CRs already removed); empty when the line has no comma.
std::string MakeTamselCodeEntry(std::string_view line);
// The record of one code line (CRs already removed, not empty).
std::string MakeBrennoCodeRecord(std::string_view line);

class TamselCodeListBuilder : public RecordBuilder {
public:
    explicit TamselCodeListBuilder(std::string& queue) : RecordBuilder(queue), packer_(queue) {}
    std::string AddLine(std::string_view line) override;
    void Finish() override { packer_.Finish(); }

private:
    TamselBlockPacker packer_;
};

class BrennoCodeListBuilder : public RecordBuilder {
public:
    // `longestRecord`: what the Brenno sender takes with the handshake in force.
    BrennoCodeListBuilder(std::string& queue, std::size_t longestRecord)
        : RecordBuilder(queue), longestRecord_(longestRecord) {}
    std::string AddLine(std::string_view line) override;

private:
    std::size_t longestRecord_;
};

class OtherDataBuilder : public RecordBuilder {
public:
    // `longestRecord`: what the sender takes for free text.
    OtherDataBuilder(std::string& queue, std::size_t longestRecord)
        : RecordBuilder(queue), longestRecord_(longestRecord) {}
    std::string AddLine(std::string_view line) override;

private:
    std::size_t longestRecord_;
    // Set once an empty record is queued: the transfer ends there, so the lines after it are
    // queued as they are but never sent, and their length does not matter.
    bool transferEnded_ = false;
};

}  // namespace halvex
