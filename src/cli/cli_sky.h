#pragma once

namespace morvane::cli {

struct CliOptions;

// --sky-map and --sky-dome: the sky of the options' parameters, stars
// placed from --seed. Returns the exit status.
int runSky(const CliOptions& options);

} // namespace morvane::cli
