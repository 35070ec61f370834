import { h, nextId, selectOf } from '../dom.js';
import { PANELS, articulationLabel } from '../labels.js';

// What the plugin's own editor window shows; changes appear there at once.
export function editorView(ctx) {
  const inst = ctx.instance();
  const articulationChoices = inst.articulations.map((_, i) => ({ value: i, label: `${i + 1} · ${articulationLabel(inst, i)}` }));
  const controllerChoices = [];
  for (let i = 0; i < 96; i += 6) {
    controllerChoices.push({ value: i, label: `${i + 1}–${i + 6} · ${inst.controllers[i].name || `Slot ${i + 1}`}` });
  }

  const field = (label, help, control) => {
    const id = nextId('ed');
    control.id = id;
    return h('div', { class: 'field' }, h('label', { for: id }, label), control, h('p', { class: 'field-help' }, help));
  };
  const picker = (choices, command, what) => {
    const el = selectOf(choices, { class: 'input', onchange: () => ctx.send([command], el.value, what) });
    ctx.updaters.push((i) => {
      if (document.activeElement === el) return;
      if (![...el.options].some((o) => o.value === String(i[command]))) el.append(h('option', { value: String(i[command]) }, String(i[command])));
      el.value = String(i[command]);
    });
    return el;
  };

  const visible = h('output', { class: 'readout' });
  ctx.updaters.push((i) => { visible.textContent = i.visible ? (i.minimised ? 'Open, minimised' : 'Open') : 'Closed'; });

  return h('section', { class: 'panel', 'aria-label': 'Editor window' },
    h('div', { class: 'fields' },
      h('div', { class: 'field' }, h('span', { class: 'field-label' }, 'Editor window'), visible,
        h('p', { class: 'field-help' }, 'Whether the plugin’s editor is open in the host.')),
      field('Panel shown', 'The page the editor shows: articulations, controllers or general options.', picker(PANELS, 'tab', 'panel shown')),
      field('Articulation being edited', 'Its fields are shown on the articulation panel.', picker(articulationChoices, 'editing', 'articulation being edited')),
      field('First articulation in the grid', 'Scrolls the editor’s articulation grid.', picker(articulationChoices, 'bankstart', 'first articulation shown')),
      field('Controller page', 'The six controller slots shown on the controller panel.', picker(controllerChoices, 'controllerstart', 'controller page'))));
}
