#include "protocol/report_printer.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "engine/board/cell.h"

namespace korvane {

void ReportPrinter::searchStarted() {
    output.printMessage("%s", "Depth\tVal\tMove\tTimes\tNodes\tNPS\tFactor");
}

void ReportPrinter::iterationFinished(const IterationReport& r) {
    output.printMessage("%d-%d\t%d\t[%d,%d]\t%lld\t%lld\t%lld\t%.3lf", r.depth, r.maxPly, r.value,
                        r.move.x - kBorder, r.move.y - kBorder, static_cast<long long>(r.time),
                        static_cast<long long>(r.nodes / 1000),
                        static_cast<long long>((r.nodes + r.threatNodes) / r.elapsed),
                        std::pow(double(r.nodes), 1.0 / r.depth));
}

void ReportPrinter::principalVariation(const PvList& pv) {
    std::string line = "MESSAGE PV:";
    for (int i = 0; i <= pv.last; ++i) {
        char pair[32];
        std::snprintf(pair, sizeof pair, "[%d,%d] ", pv.moves[i].x - kBorder,
                      pv.moves[i].y - kBorder);
        line += pair;
    }
    output.line(line);
}

}  // namespace korvane
