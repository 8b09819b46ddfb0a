// tunewell-cli dump FILE: every table of the song after loading, one record
// per line, so that two songs compare with diff. Each line starts with the
// kind of record, then name=value fields; numbers are decimal as stored
// (tracks and channels from 0, times in ticks), packed messages hexadecimal,
// texts quoted, tempos with every digit a float needs. The lines, in order:
//
//   song division= barTicks= staffBars= songEnd= tsNumerator= tsDenominator=
//        tsClocks= ts32nds= keySharps= keyMinor=
//   copyright set= text=
//   programs 16 values (channelProgram, channel 0 first)
//   track N channel= notes= lyrics= name=              32 lines, track 0 first
//   note track= start= end= note= type= dotted= line= channel= velocity=
//        accidental= onMsg= offMsg= closed=             per track, in table order
//   tempo time= tempo=                                  td in table order
//   controller time= track= msg= channel= number= value=    ed in table order
//   program time= track= msg= channel= program=         pgm in table order
//   lyric time= track= text=                            lcd in table order

#include <cstdio>

#include "cli/CliReporter.h"
#include "cli/Commands.h"
#include "cli/Operand.h"
#include "cli/SongText.h"
#include "song/Song.h"

namespace tw::cli {
namespace {

void DumpSong() {
    std::printf(
        "song division=%u barTicks=%u staffBars=%u songEnd=%u tsNumerator=%u tsDenominator=%u "
        "tsClocks=%u ts32nds=%u keySharps=%d keyMinor=%u\n",
        sd.division, sd.barTicks, sd.staffBars, sd.songEnd, sd.tsNumerator, sd.tsDenominator,
        sd.tsClocks, sd.ts32nds, sd.keySharps, sd.keyMinor);
    std::printf("copyright set=%d text=%s\n", copyrightSet(), Quoted(cpyright).c_str());
    std::printf("programs");
    for (int c = 0; c < kChannels; ++c) {
        std::printf(" %u", sd.channelProgram[c]);
    }
    std::printf("\n");
    for (int t = 0; t < kTracks; ++t) {
        std::printf("track %d channel=%u notes=%u lyrics=%u name=%s\n", t, sd.trackChannel[t],
                    sd.noteCount[t], sd.lyricCount[t], Quoted(tn[t]).c_str());
    }
}

void DumpNotes() {
    for (int t = 0; t < kTracks; ++t) {
        for (uint32_t i = 0; i < sd.noteCount[t]; ++i) {
            const displaydata& n = dd[t][i];
            std::printf(
                "note track=%d start=%u end=%u note=%u type=%u dotted=%u line=%u channel=%u "
                "velocity=%u accidental=%d onMsg=0x%06X offMsg=0x%06X closed=%u\n",
                t, n.start, n.end, n.note, n.type, n.dotted, n.line, n.channel, n.velocity,
                n.accidental, n.onMsg, n.offMsg, n.closed);
        }
    }
}

void DumpEvents() {
    for (uint32_t i = 0; i < sd.tempoTotal; ++i) {
        std::printf("tempo time=%u tempo=%.9g\n", td[i].time, static_cast<double>(td[i].tempo));
    }
    for (uint32_t i = 0; i < sd.eventTotal; ++i) {
        const eventdata& e = ed[i];
        std::printf("controller time=%u track=%u msg=0x%06X channel=%u number=%u value=%u\n",
                    e.time, e.track, e.msg, MsgChannel(e.msg), MsgData1(e.msg), MsgData2(e.msg));
    }
    for (uint32_t i = 0; i < sd.pgmTotal; ++i) {
        const eventdata& p = pgm[i];
        std::printf("program time=%u track=%u msg=0x%06X channel=%u program=%u\n", p.time, p.track,
                    p.msg, MsgChannel(p.msg), MsgData1(p.msg));
    }
    for (uint32_t i = 0; i < sd.lyricTotal; ++i) {
        std::printf("lyric time=%u track=%u text=%s\n", lcd[i].time, lcd[i].track,
                    Quoted(lcd[i].text).c_str());
    }
}

}  // namespace

int DumpCommand(Operands operands) {
    OperandReader args("dump", operands, {"FILE"});
    while (args.Next()) {
        if (!args.Positional()) {
            return kExitUsage;
        }
    }
    if (!args.Complete()) {
        return kExitUsage;
    }
    CliReporter reporter;
    if (!LoadSong(args[0], reporter)) {
        return kExitLoadError;
    }
    DumpSong();
    DumpNotes();
    DumpEvents();
    return kExitOk;
}

}  // namespace tw::cli
