// Note names as the plugin shows them: C-2 is note 0, or C-1 when the
// instance uses the alternative middle C (middle C written C4 instead of C3).
const LETTERS = 'CCDDEFFGGAAB';
const SHARPS = ' # #  # # # ';

export function noteName(note, altMiddleC = false) {
  if (!Number.isInteger(note) || note < 0 || note > 127) return '';
  const step = note % 12;
  const octave = Math.floor(note / 12) - 2 + (altMiddleC ? 1 : 0);
  return LETTERS[step] + (SHARPS[step] === '#' ? '#' : '') + octave;
}

// Option elements for a note picker: "None" followed by every MIDI note.
export function noteChoices(altMiddleC, noneLabel = 'None') {
  const choices = [{ value: -1, label: noneLabel }];
  for (let n = 0; n < 128; n++) choices.push({ value: n, label: `${noteName(n, altMiddleC)}  (${n})` });
  return choices;
}
