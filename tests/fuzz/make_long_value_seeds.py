#!/usr/bin/env python3
"""Writes the seeds that once made the integer parser slow or overflow its
stack: 250 blank-separated "rgb" words (what a 999-character statement can
hold) and 40,000 nested "rgb(". long_values/ is a seed folder of every fuzz
target; the others frame the values the way their target reads them.
Run in this folder."""
import os

words = 'rgb ' * 250
nested = 'rgb(' * 40000


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', newline='\n') as f:
        f.write(text)


write('long_values/words', words)
write('long_values/nested', nested)
write('long_values/operation_nested', '+' + nested)
# Script statements: the fuzz target's integer variable o.n.
write('script/corpus/long_words.spt', 'o.n = ' + words + '\n')
write('script/corpus/long_nested.spt', 'o.n = ' + nested + '\n')
# Operations, then a condition on the next line.
write('mapeditor/corpus/long_nested', '+' + nested + '\n=' + nested)
write('mapeditor/corpus/long_words', '+' + words + '\n>=' + words)
# A project whose data section holds such a line.
write('project/seeds/long_values.tpj',
      '#Fichier de projet Tessel Works\n'
      '\n#Infos utiles sur la dernière session\n .section infos\n  Fin\n'
      '\n#Eléments de l\'arbre du projet\n .section fichiers\n Fin\n'
      '\n#Section de script\n .section données\n'
      'GBA.mirrorMask = ' + words + '\nGBA.paletteMask = ' + nested + '\n')
# The format engine reads inputs up to 64 KB: a template, a zero byte, a text.
write('formats/corpus/long_values', '%d ' + words + '\0' + 'rgb(' * 16000)
