import { h, nextId, setValue } from '../dom.js';
import { OPTION_GROUPS } from '../labels.js';

export function optionsView(ctx) {
  const groups = OPTION_GROUPS.map((group) => h('fieldset', { class: 'option-group' },
    h('legend', {}, group.title),
    group.options.map((opt) => optionSwitch(ctx, opt))));
  return h('section', { class: 'panel', 'aria-label': 'Options' }, h('div', { class: 'option-groups' }, groups));
}

function optionSwitch(ctx, opt) {
  const id = nextId(`opt-${opt.key}`);
  const box = h('input', {
    type: 'checkbox', id, role: 'switch', class: 'switch-input', 'aria-describedby': `${id}-help`,
    dataset: { option: opt.key },
    onchange: () => ctx.send(['options', opt.key], box.checked ? 'true' : 'false',
      `${opt.label} ${box.checked ? 'on' : 'off'}`, { refreshAll: Boolean(opt.global) }),
  });
  ctx.updaters.push((inst) => setValue(box, inst.options[opt.key]));
  return h('div', { class: 'option' },
    box,
    h('label', { for: id, class: 'switch-label' }, h('span', { class: 'switch', 'aria-hidden': 'true' }), opt.label,
      opt.global ? h('span', { class: 'badge' }, 'all instances') : null),
    h('p', { class: 'option-help', id: `${id}-help` }, opt.help));
}
