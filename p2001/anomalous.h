#pragma once

#include "p2001/path_geometry.h"

// Ducting and layer reflection.
namespace tropolink::p2001 {

// The parts that do not depend on frequency or percentage.
struct DuctingPath {
    double betaDuctPercent = 0;  // time percentage of anomalous propagation
    double gamma = 0;            // exponent of its time dependence
};

// The coupling and angular losses, per frequency.
struct AnomalousCoupling {
    double aacDb = 0;  // coupling of the antennas into the duct or layer
    double aadDb = 0;  // angular-distance loss
};

DuctingPath ductingPath(const PathGeometry& g);
AnomalousCoupling anomalousCoupling(const PathGeometry& g, double fGhz);

// Time-dependent loss at limited percentages p, q.
double anomalousTimeLossDb(const PathGeometry& g, const DuctingPath& duct, double p, double q);

}  // namespace tropolink::p2001
