#pragma once

#include <string>
#include <string_view>

// One row of the method's output: the inputs, every intermediate and the
// losses, one member per column of the ITU's results tables (columns.h maps
// the column names to the members). Units as in the column table: dB, km, m
// above sea level, mrad for elevation angles, degrees for coordinates, %.
namespace tropolink::p2001 {

// Where the method's formulas were taken to their limit (bit flags).
enum Note : unsigned {
    kNoteNone = 0,
    // The common volume over a terminal (its horizon ray vertical as the
    // method reads the angle): the segment to it has zero length, and no rain
    // or gas attenuation.
    kNoteTxSegmentEmpty = 1u << 0,
    kNoteRxSegmentEmpty = 1u << 1,
    // A Bullington point at a terminal: ν is its limit there.
    kNoteBullingtonAtTerminal = 1u << 2,
    // Rain maps with rain but no stratiform rain: the rain model's limit, no rain.
    kNoteNoStratiformRain = 1u << 3,
    // A horizon falling beyond the vertical (as the formulas read a slope):
    // the sporadic-E terminal loss takes its limit, 0.
    kNoteSteepDownwardHorizon = 1u << 4,
};

// One line for each note.
std::string_view noteText(Note note);

enum class RowStatus { Computed, Refused };

struct Row {
    RowStatus status = RowStatus::Computed;
    std::string refusal;  // one line, why, when refused
    unsigned notes = kNoteNone;

    // Inputs.
    int flagVp = 0;  // polarisation: 1 vertical, 0 horizontal
    double ghz = 0, grx = 0, grt = 0, hrg = 0, htg = 0;
    double phire = 0, phirn = 0, phite = 0, phitn = 0;
    double tpc = 0;

    // Path classification.
    int flagLos50 = 0, flagLospa = 0, flagLosps = 0, flagSea = 0, flagShort = 0;

    // Fades: surface path, troposcatter path and its two segments.
    double a1 = 0, a2 = 0, a2r = 0, a2t = 0;
    // Anomalous propagation: coupling, angular-distance and time losses.
    double aac = 0, aad = 0, dAat = 0;
    // Gases: oxygen (o), water vapour without (w) and with rain (wr), on the
    // surface path (sur), the troposcatter path (s) and its segments (tcv, rcv).
    double ags = 0, agsur = 0, aorcv = 0, aos = 0, aosur = 0, aotcv = 0;
    double awrcv = 0;   // Rx segment, without rain (the ITU's name)
    double awrrcv = 0;  // Rx segment, with rain
    double awrs = 0, awrsur = 0, awrtcv = 0, aws = 0, awsur = 0, awtcv = 0;

    // Geometry.
    double bt2rDeg = 0, cp = 0, d = 0, dcr = 0, dct = 0, dgc = 0, dlm = 0, dlr = 0, dlt = 0;
    double drcv = 0, dtcv = 0, dtm = 0;
    // Sporadic-E critical frequencies, MHz.
    double foes1 = 0, foes2 = 0;
    double fsea = 0;
    // Rain water-vapour factors: surface path, Rx and Tx segments.
    double fwvr = 0, fwvrrx = 0, fwvrxt = 0;
    // Sporadic-E ionospheric losses; specific attenuations (dB/km).
    double gam1 = 0, gam2 = 0, gamo = 0, gamw = 0, gamwr = 0;
    // Heights.
    double h1 = 0, hcv = 0, hhi = 0, hlo = 0, hm = 0, hmid = 0, hn = 0, hrea = 0, hrep = 0, hrs = 0;
    double hsrip = 0, hsripa = 0, hstip = 0, hstipa = 0, htea = 0, htep = 0, hts = 0;

    // Losses.
    double lb = 0;  // the basic transmission loss not exceeded tpc % of the time
    double lba = 0, lbes1 = 0, lbes2 = 0, lbfs = 0;
    double lbm1 = 0, lbm2 = 0, lbm3 = 0, lbm4 = 0;  // the four sub-models
    double lbs = 0;
    // Diffraction.
    double ld = 0, ldba = 0, ldbka = 0, ldbks = 0, ldbs = 0, dLdsph = 0;
    // Sporadic-E terminal diffraction.
    double lp1r = 0, lp1t = 0, lp2r = 0, lp2t = 0;

    double mses = 0;
    int n = 0;
    double nd1km50 = 0, nd1kmp = 0, nd65m1 = 0;
    int nlr = 0, nlt = 0;  // horizon points, 1-based
    // Points: quarter, three quarters, common volume, mid-point, segment mid-points.
    double phi1qe = 0, phi1qn = 0, phi3qe = 0, phi3qn = 0, phicve = 0, phicvn = 0, phime = 0, phimn = 0;
    double phircve = 0, phircvn = 0, phitcve = 0, phitcvn = 0;
    double qoca = 0, reff50 = 0, reffp = 0, sp = 0, thetae = 0;
    double thetar = 0, thetarpos = 0, thetas = 0, thetat = 0, thetatpos = 0;
    double tpcp = 0, tpcq = 0, tpcscale = 0, wave = 0;
    // Surface water-vapour density at the mid-point and the terminals.
    double wvsur = 0, wvSurrx = 0, wvSurtx = 0;
    int ztropo = 0;
};

}  // namespace tropolink::p2001
