// Placeholder for a subsystem folder that has no code of its own yet.
namespace ksm_empty_unit {}
