#pragma once

class DzApp;

// Registers the factories of the classes the host itself provides (the
// shader bricks) with `app`.
void dzRegisterBuiltinFactories(DzApp& app);
