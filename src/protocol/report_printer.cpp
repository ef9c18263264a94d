#include "protocol/report_printer.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "engine/wire_point.h"

namespace korvane {

void ReportPrinter::searchStarted() {
    output.printMessage("%s", "Depth\tVal\tMove\tTimes\tNodes\tNPS\tFactor");
}

void ReportPrinter::iterationFinished(const IterationReport& r) {
    const WirePoint move = toWire(r.move);
    output.printMessage("%d-%d\t%d\t[%d,%d]\t%lld\t%lld\t%lld\t%.3lf", r.depth, r.maxPly, r.value,
                        move.x, move.y, static_cast<long long>(r.time),
                        static_cast<long long>(r.nodes / 1000),
                        static_cast<long long>((r.nodes + r.threatNodes) / r.elapsed),
                        std::pow(double(r.nodes), 1.0 / r.depth));
}

void ReportPrinter::principalVariation(const PvList& pv) {
    std::string line = "MESSAGE PV:";
    for (int i = 0; i <= pv.last; ++i) {
        const WirePoint move = toWire(pv.moves[i]);
        char pair[32];
        std::snprintf(pair, sizeof pair, "[%d,%d] ", move.x, move.y);
        line += pair;
    }
    output.line(line);
}

}  // namespace korvane
