#pragma once
// The commands of versewright-cli.

#include "cli/CliArgs.h"

// Exit statuses: every file done (check: and clean), check found something, an error.
enum { EXIT_CLEAN = 0, EXIT_FINDINGS = 1, EXIT_ERRORS = 2 };

// Runs the parsed command over its files and returns the exit status.
int RunCliCommand(const SCliArgs& args);
