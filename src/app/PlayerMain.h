// The player program: command line, application object, session and optional autoplay.
#pragma once

namespace quillora {

// Runs quillora-run; returns the process exit status.
int PlayerMain(int argc, char** argv);

} // namespace quillora
