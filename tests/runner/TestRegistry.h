#pragma once

// The test programs of one folder share one executable. Each test source
// registers its entry under the source's file name (tst_Foo), and the shared
// main() runs the entry named first on the command line.
namespace LumivoxTestRunner {

using Entry = int (*)(int argc, char* argv[]);

// Called from a static initialiser; sourceFile is the test's __FILE__.
bool Register(const char* sourceFile, Entry entry);

} // namespace LumivoxTestRunner
