// halvex-transfer: the window's downloads and uploads from the command line, for scripts.

#include <iostream>
#include <string>
#include <vector>

#include "shared/SystemIo.h"
#include "transfer/lib/TransferArguments.h"
#include "transfer/lib/TransferRun.h"

int main(int argc, char** argv) {
    halvex::tool::PrepareStandardStreams();
    const halvex::transfer::TransferCommandLine line =
        halvex::transfer::ReadTransferCommandLine(halvex::tool::ProgramArguments(argc, argv));
    if (line.reading.kind != halvex::tool::CommandLineReading::Kind::Run) {
        return halvex::tool::Answer(halvex::transfer::kTransferProgram, line.reading, std::cout,
                                    std::cerr);
    }
    return halvex::transfer::RunTransfer(line.arguments);
}
