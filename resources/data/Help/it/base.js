// Shared by the help pages that are written by the program (the search results).
function IsNS(version) { return false; }
function Intro() {}
function Titre(text) { document.write('<h1>' + text + '</h1>'); }
function Fin() { document.write('<p><a href="contents.html">Torna al sommario</a></p>'); }
