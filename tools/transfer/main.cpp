// halvex-transfer: the window's downloads and uploads from the command line, for scripts.

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "transfer/lib/TransferArguments.h"
#include "transfer/lib/TransferRun.h"

int main(int argc, char** argv) {
    std::signal(SIGPIPE, SIG_IGN);  // a closed pipe is reported as a write error
    const halvex::transfer::TransferCommandLine line =
        halvex::transfer::ReadTransferCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    if (line.reading.kind != halvex::tool::CommandLineReading::Kind::Run) {
        return halvex::tool::Answer(halvex::transfer::kTransferProgram, line.reading, std::cout,
                                    std::cerr);
    }
    return halvex::transfer::RunTransfer(line.arguments);
}
