#pragma once

#include <QString>

// A realistic station database for benchmarks (SQLite): `measurements` measurements with 3 to 6 axle weighings and
// a total each, journal rows for nine in ten of them, one vehicle per twenty measurements (50,000 at a million)
// and one driver per two hundred (5,000 at a million), at least 500 vehicles and 50 drivers.
struct TStorageData {
    int Measurements = 0;
    int Vehicles = 0;
    int Drivers = 0;

    explicit TStorageData(int measurements);

    // Builds the database file at path (replacing it) with the tables of a new installation.
    void Generate(const QString& path) const;
    // A file in folder holding this data set, generated on first use and kept for later runs.
    QString CachedFile(const QString& folder) const;
};
