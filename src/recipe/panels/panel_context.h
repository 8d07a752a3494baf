#pragma once

namespace morvane {

class GenerationDriver;
class SeedSource;
class UserPrompts;

// What every node panel works with: the driver (which owns the pipeline
// state, its recipe and the evaluation context with the folders), the seed
// source for reseeds, and the user's dialogs.
struct PanelContext {
    GenerationDriver& driver;
    SeedSource& seeds;
    UserPrompts& prompts;
};

} // namespace morvane
