-- SPDX-License-Identifier: GPL-3.0-or-later
-- Neovim 0.7 as the server's client on a value file: asks where the name under the cursor is
-- declared and prints it ("definition FILE LINE:COL-LINE:COL", 0-based), then renames it to
-- `spread` as `:lua vim.lsp.buf.rename()` does (prepareRename first) and writes every file the
-- edit touched.
local attached = false
local client = vim.lsp.start_client({
  name = 'qrb2',
  cmd = { os.getenv('QRB2'), '--lsp' },
  root_dir = vim.fn.expand('%:p:h'),
  handlers = {
    ['textDocument/publishDiagnostics'] = function() attached = true end,
  },
})
vim.lsp.buf_attach_client(0, client)
if not vim.wait(20000, function() return attached end, 20) then
  io.stdout:write('the server did not answer\n')
  vim.cmd('qall!')
end
vim.api.nvim_win_set_cursor(0, { 40, 3 })
local params = vim.lsp.util.make_position_params(0, 'utf-16')
for _, answer in pairs(vim.lsp.buf_request_sync(0, 'textDocument/definition', params, 10000) or {}) do
  local place = answer.result
  local range = place.range
  io.stdout:write(string.format('definition %s %d:%d-%d:%d\n', vim.fn.fnamemodify(vim.uri_to_fname(place.uri), ':t'),
    range.start.line, range.start.character, range['end'].line, range['end'].character))
end
local before = vim.api.nvim_buf_get_changedtick(0)
vim.lsp.buf.rename('spread')
if not vim.wait(10000, function() return vim.api.nvim_buf_get_changedtick(0) ~= before end, 20) then
  io.stdout:write('nothing was renamed\n')
end
vim.cmd('silent wall')
vim.lsp.stop_client(client)
vim.wait(5000, function() return vim.lsp.client_is_stopped(client) end, 20)
vim.cmd('qall!')
