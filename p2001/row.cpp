#include "p2001/row.h"

namespace tropolink::p2001 {

std::string_view noteText(Note note) {
    switch (note) {
        case kNoteNone:
            return "";
        case kNoteTxSegmentEmpty:
            return "the common volume stands over the transmitter: its segment of zero length takes the limit of "
                   "its inclination and adds no gas attenuation";
        case kNoteRxSegmentEmpty:
            return "the common volume stands over the receiver: its segment of zero length adds no gas attenuation";
        case kNoteBullingtonAtTerminal:
            return "a Bullington point falls on a terminal: its diffraction parameter takes its limit there, 0";
    }
    return "";
}

}  // namespace tropolink::p2001
