// The menu items for regular expressions and grammars, appended to the
// module language.js and run when the page first loads it. `page` gives the
// page's own: the main module (app), its boxes (ask, showMessage) and the
// change prompt.

var LanguageMenu = (() => {
  const lastText = { false: "", true: "" };
  return {
    // "Aus regulärem Ausdruck..." and "Aus Grammatik...": asked until the text
    // reads, its fault above the question; its minimal acceptor opens after
    // the change prompt.
    async fromText(tools, page, grammar) {
      const question = grammar ? "Rechtslineare Grammatik, eine Regel je Zeile (z. B. S -> 0A | 1S | ε):"
        : "Regulärer Ausdruck (z. B. (0|10*1)*; ε das leere Wort):";
      let fault = "";
      for (;;) {
        const given = await page.ask((fault ? fault + "\n\n" : "") + question, ["OK", "Abbrechen"], 1,
          { value: lastText[grammar], label: grammar ? "Grammatik" : "Regulärer Ausdruck", lines: grammar });
        if (given === null) return;
        lastText[grammar] = given;
        const made = grammar ? tools.fromGrammar(given) : tools.fromRegex(given.trim());
        if (made.fault) {
          fault = made.fault;
          continue;
        }
        if (made.problem) return page.showMessage(made.problem);
        const { answer, name } = await page.changePrompt();
        page.app.openAcceptor(answer, name, made.text, made.summary);
        return;
      }
    },

    // "Als regulären Ausdruck" and "Als Grammatik": the program's language in a box to copy from.
    async describe(tools, page, grammar) {
      const d = tools.describe(page.app.kind(), page.app.programText(), grammar);
      if (d.problem) return page.showMessage(d.problem);
      const text = d.text.trim();
      if (await page.ask(text, ["Kopieren", "OK"], 1, undefined, true) === 0)
        await navigator.clipboard?.writeText(text).catch(() => {});
    },
  };
})();
