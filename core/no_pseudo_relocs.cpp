// The shipped modules import functions only, never data, and are linked with
// --disable-runtime-pseudo-reloc, so the linker refuses anything that would need patching at
// load time. MinGW's start-up still calls its relocator, which would bring 1.5 KB of code and
// its error reporting for nothing; with nothing to patch, doing nothing is its whole work.
extern "C" void _pei386_runtime_relocator(void)
{
}
