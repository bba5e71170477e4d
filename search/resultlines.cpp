#include "search/resultlines.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <unordered_map>

#include "search/textbetween.h"
#include "text/textops.h"

namespace qingyou {

namespace {

constexpr std::size_t kNone = std::string_view::npos;
constexpr char kSeparator[] = "     ";

bool IsLeadByte(char c) noexcept {
  return static_cast<unsigned char>(c) >= 0x80;
}

bool MatchesAt(std::string_view text, std::size_t at, std::string_view sought) noexcept {
  return text[at] == sought[0] && std::memcmp(text.data() + at, sought.data(), sought.size()) == 0;
}

// Offset of the first `sought` (not empty) inside text[from, limit) that a
// scan from `from` stepping over two-byte characters meets, as TextFind on
// that slice does; kNone when there is none.
std::size_t FindStepping(std::string_view text, std::size_t from, std::size_t limit,
                         std::string_view sought) noexcept {
  std::size_t p = from;
  while (limit - p >= sought.size()) {
    if (MatchesAt(text, p, sought)) return p;
    if (IsLeadByte(text[p])) {
      if (p + 1 == limit) return kNone;
      p += 2;
    } else {
      p += 1;
    }
  }
  return kNone;
}

// The first `sought` (not empty) that a character-stepping scan from
// `from` meets in text[from, text.size()), as TextFind on that rest of the
// text finds it: the answer at p is p itself on a match, else the answer at
// the next character start. For every offset in `starts` (ascending) at once.
std::vector<std::size_t> FirstMatchesFrom(std::string_view text, std::string_view sought,
                                          const std::vector<std::size_t>& starts) {
  const std::size_t n = text.size();
  std::vector<std::size_t> found(starts.size(), kNone);
  // Each scan first runs only up to the next start, which keeps the total
  // work within the text's length; on a result page it almost always meets
  // the title end long before that.
  std::size_t firstUnresolved = starts.size();
  for (std::size_t k = starts.size(); k-- > 0;) {
    const std::size_t limit = k + 1 < starts.size() ? starts[k + 1] : n + 1;
    std::size_t p = starts[k];
    for (;;) {
      if (p >= limit) {
        firstUnresolved = k;
        break;
      }
      if (n - p < sought.size()) break;
      if (MatchesAt(text, p, sought)) {
        found[k] = p;
        break;
      }
      if (IsLeadByte(text[p])) {
        if (p + 1 == n) break;
        p += 2;
      } else {
        p += 1;
      }
    }
  }
  if (firstUnresolved == starts.size()) return found;
  // A scan that ran past the next start may go on past many more; one
  // backward walk answers all of them. The answers at p + 1 and p + 2 are all
  // it needs to remember.
  std::size_t atNext = kNone;
  std::size_t atAfterNext = kNone;
  std::size_t pending = starts.size();
  for (std::size_t p = n + 1; p-- > starts[firstUnresolved];) {
    std::size_t here = kNone;
    if (n - p < sought.size()) {
      here = kNone;
    } else if (MatchesAt(text, p, sought)) {
      here = p;
    } else if (IsLeadByte(text[p])) {
      here = p + 1 == n ? kNone : atAfterNext;
    } else {
      here = atNext;
    }
    while (pending > 0 && starts[pending - 1] == p) found[--pending] = here;
    atAfterNext = atNext;
    atNext = here;
  }
  return found;
}

bool IsWholeCharacters(std::string_view bytes) noexcept {
  std::size_t p = 0;
  while (p < bytes.size()) p += IsLeadByte(bytes[p]) ? 2 : 1;
  return p == bytes.size();
}

ResultLine MakeLine(int number, const Text& identifier, const Text& title) {
  return {TextConcat(IntToText(number), kSeparator, title), TextToInt(identifier)};
}

std::vector<ResultLine> ComposeOneByOne(const Text& page, const TextArray& identifiers,
                                        const Text& linkStart, const Text& linkEnd,
                                        const Text& titleEnd) {
  std::vector<ResultLine> lines;
  lines.reserve(identifiers.size());
  const int n = Count(identifiers);
  for (int i = 1; i <= n; ++i) {
    const Text& id = At(identifiers, i);
    lines.push_back(
        MakeLine(i, id, TextBetween(page, TextConcat(linkStart, id, linkEnd), titleEnd)));
  }
  return lines;
}

}  // namespace

bool MarkersAllowOnePass(const Text& linkStart, const Text& linkEnd) noexcept {
  const std::string_view start = linkStart.view();
  const std::string_view end = linkEnd.view();
  if (start.empty() || end.empty() || !IsWholeCharacters(start)) return false;
  // A start marker that overlaps itself can match inside one the page was
  // split at, and the search for start + id + end would find that match.
  for (std::size_t k = 1; k < start.size(); ++k) {
    if (start.substr(k) == start.substr(0, start.size() - k)) return false;
  }
  // A start marker that could begin inside (or right at) the end marker after
  // an id would end that piece before its end marker is complete, while the
  // whole-page search for start + id + end would still match there.
  for (std::size_t k = 0; k < end.size(); ++k) {
    const std::size_t overlap = std::min(end.size() - k, start.size());
    if (end.substr(k, overlap) == start.substr(0, overlap)) return false;
  }
  // Likewise a start marker that straddles an id and the end marker after it.
  return start.find(end) == std::string_view::npos;
}

std::vector<ResultLine> ComposeResultLines(const Text& page, const TextArray& identifiers,
                                           const Text& linkStart, const Text& linkEnd,
                                           const Text& titleEnd) {
  if (!MarkersAllowOnePass(linkStart, linkEnd)) {
    return ComposeOneByOne(page, identifiers, linkStart, linkEnd, titleEnd);
  }
  // Why one walk gives the per-id answer. The start marker is whole
  // characters, so TextFind from the page start visits the same places as the
  // split at start markers, plus those inside the markers split at; a start
  // marker that does not overlap itself cannot match there. So the first
  // match of start + id + end is a start marker the page was split at, and
  // its piece begins with id + end. A start marker inside those bytes would
  // have split the piece that `id` came from too, and one reaching past them
  // is ruled out by MarkersAllowOnePass; the character steps through id are
  // the same in every piece, so that piece's own id is `id`. The title is
  // therefore the one after the first piece whose id is `id`.
  const std::string_view text = page.view();
  const std::string_view start = linkStart.view();
  const std::string_view end = linkEnd.view();

  std::unordered_map<std::string_view, std::size_t> firstPiece;  // id -> index into titleStarts
  firstPiece.reserve(identifiers.size());
  std::vector<std::size_t> titleStarts;
  // When `identifiers` are this page's ids in page order, as they normally
  // are, identifier i needs no second look-up: its title is known here.
  std::vector<std::size_t> titleSlotOfId;
  titleSlotOfId.reserve(identifiers.size());
  bool inPageOrder = true;
  std::size_t marker = FindStepping(text, 0, text.size(), start);
  while (marker != kNone) {
    const std::size_t pieceStart = marker + start.size();
    marker = FindStepping(text, pieceStart, text.size(), start);
    const std::size_t pieceEnd = marker == kNone ? text.size() : marker;
    const std::size_t idEnd = FindStepping(text, pieceStart, pieceEnd, end);
    if (idEnd == kNone) continue;
    const std::string_view id = text.substr(pieceStart, idEnd - pieceStart);
    const auto [it, added] = firstPiece.try_emplace(id, titleStarts.size());
    if (added) titleStarts.push_back(idEnd + end.size());
    const std::size_t i = titleSlotOfId.size();
    inPageOrder = inPageOrder && i < identifiers.size() &&
                  At(identifiers, static_cast<int>(i) + 1).view() == id;
    titleSlotOfId.push_back(it->second);
  }
  inPageOrder = inPageOrder && titleSlotOfId.size() == identifiers.size();

  std::vector<std::size_t> titleEnds;
  if (!titleEnd.empty()) titleEnds = FirstMatchesFrom(text, titleEnd.view(), titleStarts);

  std::vector<ResultLine> lines;
  lines.reserve(identifiers.size());
  const int n = Count(identifiers);
  for (int i = 1; i <= n; ++i) {
    const Text& id = At(identifiers, i);
    std::size_t slot = 0;
    if (inPageOrder) {
      slot = titleSlotOfId[static_cast<std::size_t>(i) - 1];
    } else if (const auto it = firstPiece.find(id.view()); it != firstPiece.end()) {
      slot = it->second;
    } else {
      // Not an id of this page: only the literal lookup knows its answer.
      lines.push_back(
          MakeLine(i, id, TextBetween(page, TextConcat(linkStart, id, linkEnd), titleEnd)));
      continue;
    }
    Text title;
    if (!titleEnds.empty() && titleEnds[slot] != kNone) {
      const std::size_t from = titleStarts[slot];
      title = Text::FromBytes(text.substr(from, titleEnds[slot] - from));
    }
    lines.push_back(MakeLine(i, id, title));
  }
  return lines;
}

}  // namespace qingyou
