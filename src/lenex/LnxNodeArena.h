#pragma once

/** Node memory of one document: what a load takes is freed with the document. */
namespace lanescope::lenex {

/**
 * While it lives, the node memory this thread takes from the node pool comes from blocks of their own. A
 * document loaded or converted inside one keeps its nodes in those blocks, apart from every other document's,
 * so closing it gives them back even while other documents stay open: when the last of its pieces is freed,
 * after the scope ended, the blocks go back to the system (up to the pool's bound kept for the next load).
 * Scopes nest; nodes made outside any scope share the process-wide blocks.
 */
class TLnxNodeArena
{
public:
    TLnxNodeArena();
    ~TLnxNodeArena();
    TLnxNodeArena(const TLnxNodeArena&) = delete;
    TLnxNodeArena& operator=(const TLnxNodeArena&) = delete;

private:
    void* FArena;
    void* FPrevious;
};

} // namespace lanescope::lenex
