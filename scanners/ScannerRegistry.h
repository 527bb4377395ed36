// The table of language scanners: which scanner serves which language kind.
#pragma once

namespace lumbra {

class NFileAnly;

// Gives the engine one scanner per language kind that has one.
void InstallScanners(NFileAnly& engine);

} // namespace lumbra
