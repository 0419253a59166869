#include "p2001/row.h"

namespace tropolink::p2001 {

std::string_view noteText(Note note) {
    switch (note) {
        case kNoteNone:
            return "";
        case kNoteTxSegmentEmpty:
            return "the transmitter's horizon ray is vertical as the method reads its angle: the common volume stands "
                   "over the transmitter, and the segment to it, of zero length, adds no rain or gas attenuation";
        case kNoteRxSegmentEmpty:
            return "the receiver's horizon ray is vertical as the method reads its angle: the common volume stands "
                   "over the receiver, and the segment to it, of zero length, adds no rain or gas attenuation";
        case kNoteBullingtonAtTerminal:
            return "a Bullington point falls on a terminal: its diffraction parameter takes its limit there, 0";
        case kNoteNoStratiformRain:
            return "the rain maps give rain but none of it stratiform: the rain model's limit, no rain, is taken";
        case kNoteSteepDownwardHorizon:
            return "a horizon falls more steeply than 1570.8 mrad: its sporadic-E terminal loss takes its limit, 0";
    }
    return "";
}

}  // namespace tropolink::p2001
