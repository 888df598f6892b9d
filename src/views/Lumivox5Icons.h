#ifndef LUMIVOX5ICONS_H
#define LUMIVOX5ICONS_H

// The icons (":/icon/ico/...") are resources of the GUI library, a static
// one: they must be registered by hand before the first use, or the linker
// drops them. Safe to call any number of times.
void RegisterLumivox5Icons();

#endif // LUMIVOX5ICONS_H
